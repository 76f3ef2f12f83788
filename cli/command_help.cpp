// The --help texts of the commands whose files say nothing more than their
// usage line; newer commands register theirs beside their code.
#include "cli/command.h"

namespace formwick::cli {

namespace {

const HelpRegistration new_help("new", "Writes OUT.HIX, replacing it only once the new file is complete.\n\n"
                                       "exit status: 0 written, 1 not written (the reason is on stderr), 2 usage\n");
const HelpRegistration build_help("build", "DEF is a JSON definition or an application file.\n\n"
                                           "exit status: 0 built, 1 the definition was refused or OUT not written, 2 usage\n");
const HelpRegistration export_help("export", "Writes the canonical JSON text (format version 2, the names of every choice).\n\n"
                                             "exit status: 0 written, 1 the input was refused, 2 usage\n");
const HelpRegistration show_help("show", "exit status: 0 shown, 1 the input was refused, 2 usage\n");
const HelpRegistration run_help("run", "options:\n"
                                       "  --script FILE        the key script (required)\n"
                                       "  --ramdisk DIR        the RAM disk folder (default: a fresh temporary one)\n"
                                       "  --file PATH          copy a file into the RAM disk before the run (repeat for more)\n"
                                       "  --png DIR            where SCREEN files and printed screens are saved as PNG\n"
                                       "  --model R58|KTM3300  the terminal's keypad (default KTM3300)\n\n"
                                       "exit status: 0 every expectation held, 1 refused input or a failed expectation, 2 usage\n");
const HelpRegistration check_index_help("check-index",
                                        "layout options:\n"
                                        "  --definition APP --lookup N | --data N   the settings of Lookup N / Data N of APP\n"
                                        "  --separator C        fields divided by C (\",\", \";\", \"|\", \"tab\"); default \",\"\n"
                                        "  --fixed              fields at fixed positions\n"
                                        "  --record-length N    bytes of a record, CR LF included\n"
                                        "  --key-field N        the key field, 0-based\n"
                                        "  --field OFFSET:LENGTH  one field of a fixed record (repeat)\n"
                                        "  --duplicates         the index may hold a key more than once\n\n"
                                        "exit status: 0 the index is sound, 1 findings (one line each), 2 usage\n");
const HelpRegistration summary_help("summary", "exit status: 0\n");

} // namespace

} // namespace formwick::cli
