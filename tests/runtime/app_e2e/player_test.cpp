// The key-script player against the runtime: every place where the runtime
// waits without waiting for input is waited through, so an expectation
// never needs a made-up WAIT; and what the new expectations see.
#include "tests/runtime/app_e2e/app_run.h"
#include "tests/runtime/app_e2e/definition_builder.h"

namespace formwick::e2e {
namespace {

// The main loop pauses 2 ms between two rounds of the main menu; the
// player waits for the menu's own wait for a key.
TEST_F(AppRun, ThePlayerWaitsThroughThePauseBetweenMainMenuRounds) {
    run("WAIT 6\nCLR\nENTER\nEXPECT SCREEN \"Input\"\nEXPECT NO SCREEN \"Interpret\"\n");
}

// A line that reads only from the scanner polls it every 2 ms: that is a
// wait for input, and a day of it passes at once on terminal time.
TEST_F(AppRun, TheBarcodeDialogIsAWaitForInputThatADayPassesQuickly) {
    scanned_code_form(app);
    // A barcode longer than the line is refused without a word and the
    // scanner disarms itself: the dialog still waits for input.
    const std::string out = run(std::string(kInput) + "EXPECT SCREEN \"Code:\"\nSCAN \"40063813339310\"\n" +
        "EXPECT SCREEN \"Code:\"\nWAIT 86400\nSCAN \"4006381333931\"\n" +
        "EXPECT SCREEN \"Qty:\"\n5\nENTER\n" +
        "EXPECT FILE \"Data1.txt\" BYTES \"4006381333931,5\\r\\n\"\n" +
        "SCAN \"A-1\"\nEXPECT BOX INFORMATION \"Wrong data type!\"\n");
    EXPECT_NE(out.find("the terminal refused \"40063813339310\": 14 characters, longer than the 13"),
              std::string::npos)
        << out;
}

// A message as the application has it, whatever rows it wraps over, and
// the lookup's values by their field names.
TEST_F(AppRun, MessagesAndLookupValuesAreCheckedAsTheApplicationHasThem) {
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineInteger, "Item:", 1, 2).lookupSource = 1;
    input_line(form, 1, kLineInteger, "Qty:", 2, 3);
    csv_lookup(app.lookups[0], 1, {2, 10, 3});
    app.lookups[0].noMatchAction = 1; // "Show warning"
    write_file("Lookup1.txt", "12;Apple;3\r\n34;Banana;5\r\n");
    run(std::string(kInput) + "34\nENTER\nEXPECT VAR \"Look 1-2\" \"Banana\"\nEXPECT VAR \"Look 1-3\" \"5\"\n" +
        "5\nENTER\n56\nENTER\n" +
        "EXPECT SCREEN \"search item not found in database. Lookup1.txt\"\n" +
        "EXPECT BOX WARNING \"search item not found in database.\"\n" +
        "EXPECT NO FILE \"Data1.txt\"\n");
}

} // namespace
} // namespace formwick::e2e
