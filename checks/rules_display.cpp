// Display fit, measured with the fonts the terminal draws with: prompts,
// menu headers and items, splash lines and translated texts that are cut,
// and characters a font cannot draw.
#include "checks/places.h"
#include "checks/rules.h"
#include "checks/screen_fit.h"
#include "runtime/ui/message.h"

namespace formwick::rules {

namespace {

constexpr int kPromptMaxChars = 21; // the form's prompt column, whatever the font

// Runtime texts the translations replace: label slots 0..11, box-word slots
// 0..6 and message slots 0..32 reach the application; later slots do not.
constexpr int kTranslatedLabels = 12;
constexpr int kTranslatedBoxWords = 7;
constexpr int kTranslatedMessages = 33;

struct Shown {
    const CParameters& p;
    Findings& out;

    // A text drawn on one row of `width` characters in `font`.
    void row(const std::string& where, std::string_view text, const FontCells& font, int width, const std::string& what) {
        glyphs(where, text, font);
        int n = text_chars(text);
        if (n > width)
            out.warning("text-cut", where,
                        what + " has " + std::to_string(n) + " characters; the " + font.name + " font draws " +
                            std::to_string(width) + ": the terminal shows \"" + std::string(cut(text, width)) + "\"",
                        "shorten it to " + std::to_string(width) + " characters or choose a smaller font");
    }
    void glyphs(const std::string& where, std::string_view text, const FontCells& font) {
        std::string bad = undrawable_char(text, font);
        if (!bad.empty())
            out.warning("glyph-missing", where,
                        "the " + font.name + " font has no \"" + bad + "\": the terminal draws \"?\" in its place",
                        "write the text without \"" + bad + "\", or load a custom font that has it");
    }
    static std::string_view cut(std::string_view text, int chars) {
        std::size_t at = 0;
        for (int i = 0; i < chars && at < text.size(); ++i) {
            ++at;
            while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
        }
        return text.substr(0, at);
    }
};

void check_forms(Shown& s) {
    for (int f = 0; f < kFormCount; ++f) {
        if (!form_runs(s.p, f)) continue;
        const FontCells font = font_cells(s.p, s.p.forms[f].font);
        const int width = std::min(kPromptMaxChars, font.columns() - 1);
        for (int i = 0; i < visible_lines(s.p, f); ++i) {
            const CFormLine& l = s.p.forms[f].lines[i];
            if (l.dataType == kLineNil || l.dataType == kLineExtension) continue;
            s.row(place::form_line(f, i), text_bytes(l.prompt), font, width, "the prompt");
        }
    }
}

void check_menus(Shown& s) {
    for (int m = 0; m < kMenuCount; ++m) {
        const CParamMenu& menu = s.p.menus[m];
        const int items = menu_item_count(menu);
        if (items == 0) continue;
        const FontCells font = font_cells(s.p, menu.font);
        s.row(place::menu(m) + ", header", text_bytes(menu.header), font, font.columns(), "the header");
        const int width = font.columns() - (items < 10 ? 1 : 2) - 1; // after the item's number and a blank
        for (int i = 0; i < items; ++i) s.row(place::menu_item(m, i), text_bytes(menu.items[i].name), font, width, "the item");
    }
}

void check_splash(Shown& s) {
    const CParamStartup& st = s.p.startup;
    const FontCells font = font_cells(s.p, st.splashFont);
    for (int i = 0; i < kSplashLineCount; ++i) {
        std::string_view text = text_bytes(st.splashLines[i].text);
        if (text.empty()) continue;
        if (i >= font.rows())
            s.out.warning("text-cut", place::splash_line(i),
                          "the " + font.name + " font has room for " + std::to_string(font.rows()) +
                              " splash lines: this one is not shown",
                          "move the text up, or choose a smaller splash font");
        else
            s.row(place::splash_line(i), text, font, font.columns(), "the splash line");
    }
}

template <std::size_t N, std::size_t M>
void check_slots(Shown& s, const std::array<Text<N>, M>& texts, int reaching, const char* what, auto check) {
    for (int i = 0; i < static_cast<int>(M); ++i) {
        std::string_view text = text_bytes(texts[i]);
        if (text.empty()) continue;
        const std::string where = std::string("Language, ") + what + " " + std::to_string(i + 1);
        if (i >= reaching)
            s.out.warning("translation-lost", where,
                          "only " + std::to_string(reaching) + " " + what + " texts reach the application file: this one is dropped",
                          "clear it; the terminal has no text it would replace");
        else
            check(where, i, text);
    }
}

void check_language(Shown& s) {
    const CParamLanguage& l = s.p.language;
    if (!l.used) return;
    const FontCells menus = font_cells(s.p, l.menuFont), boxes = font_cells(s.p, l.stringFont),
                    messages = font_cells(s.p, l.messageFont);
    check_slots(s, l.menuTexts, kTranslatedLabels, "menu", [&](const std::string& where, int, std::string_view text) {
        s.row(where, text, menus, menus.columns() - 2, "the menu text");
    });
    check_slots(s, l.stringTexts, kTranslatedBoxWords, "string", [&](const std::string& where, int i, std::string_view text) {
        const bool answer = i == 4 || i == 5; // "Yes" and "No" share the bottom bar
        s.row(where, text, boxes, answer ? boxes.columns() / 2 : boxes.columns(), "the box word");
    });
    check_slots(s, l.messageTexts, kTranslatedMessages, "message", [&](const std::string& where, int, std::string_view text) {
        s.glyphs(where, text, messages);
        const int rows = rt_wrapped_rows(std::string(text).c_str(), messages.columns());
        const int room = messages.rows() - 4;
        if (rows > room)
            s.out.warning("text-cut", where,
                          "the message needs " + std::to_string(rows) + " rows in the " + messages.name + " font; its box shows " +
                              std::to_string(room) + ": the end is not shown",
                          "shorten the message or choose a smaller message font");
    });
}

} // namespace

void check_display(const CParameters& p, Findings& out) {
    Shown s{p, out};
    check_splash(s);
    check_menus(s);
    check_forms(s);
    check_language(s);
}

} // namespace formwick::rules
