// tamrow_manpage: prints the manual page tamrow(6) in roff to standard output.
//
//   tamrow_manpage VERSION DATE > tamrow.6
//
// The keys come from the actions' table the pause screen and --help show, the
// settings from the settings' table, the image count and the map file from the
// texture catalogue: the page never lists a key, a setting or a file of its own.

#include "city/TextureBank.hpp"
#include "settings/Settings.hpp"
#include "play/Actions.hpp"

#include <iostream>
#include <string>

namespace tamrow
{
namespace
{
/// `text` with roff's special characters made plain: a backslash, a leading
/// dot or quote, and hyphens (which roff would otherwise join words with).
std::string plain(const std::string& text)
{
    std::string out = text.size() > 0 && (text[0] == '.' || text[0] == '\'') ? "\\&" : "";
    for (const char c : text)
        out += c == '\\' ? std::string("\\e") : c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}
} // namespace
} // namespace tamrow

int main(int argc, char** argv)
{
    using namespace tamrow;
    if (argc != 3)
    {
        std::cerr << "usage: " << argv[0] << " VERSION DATE\n";
        return 2;
    }
    std::cout << ".TH TAMROW 6 \"" << argv[2] << "\" \"tamrow " << argv[1] << "\" \"Games\"\n"
              << ".SH NAME\n"
                 "tamrow \\- top\\-down street fight: tip the brawl with hooligans or police\n"
                 ".SH SYNOPSIS\n"
                 ".B tamrow\n"
                 "[\\fB\\-\\-help\\fR] [\\fB\\-\\-version\\fR] [\\fB\\-\\-record\\fR \\fIFILE\\fR | "
                 "\\fB\\-\\-replay\\fR \\fIFILE\\fR]\n"
                 ".SH DESCRIPTION\n"
                 "A street fight in a city, seen from above. Civilians stand about, hooligans hunt\n"
                 "civilians and police, police hunt hooligans. You are one civilian: walk up to people\n"
                 "and turn the ones right next to you into hooligans or into police, and so tip the\n"
                 "fight one way or the other. There is no score and no end: close the window when you\n"
                 "have had enough.\n"
                 ".SH OPTIONS\n"
                 ".TP\n\\fB\\-\\-record\\fR \\fIFILE\\fR\n"
                 "Play as usual and write every frame's keys and events, with the state hash after it,\n"
                 "to \\fIFILE\\fR.\n"
                 ".TP\n\\fB\\-\\-replay\\fR \\fIFILE\\fR\n"
                 "Show the game recorded in \\fIFILE\\fR in the window, with the instant replay's keys over\n"
                 "the whole of it; it stops with an error at the first frame that plays differently.\n"
                 ".TP\n\\fB\\-\\-help\\fR\n"
                 "List the keys, the environment and the folders the images are looked for in.\n"
                 ".TP\n\\fB\\-\\-version\\fR\n"
                 "Print the version.\n"
                 ".SH CONTROLS\n";
    std::cout << "Keys are read " << KeysByPlace
              << ", whatever letters your keyboard prints there;\n"
                 "the pause screen shows them in your keyboard's letters. Each action's name sets its key in the\n"
                 "settings file's \\fB[keys]\\fR section (see FILES). The close button quits.\n"
              << ReplayClicks << "\n";
    for (const ActionRow& row : Actions)
    {
        std::cout << ".TP\n.B " << plain(usKeysOf(row.action)) << "\n\\fB" << plain(row.name) << "\\fR: "
                  << plain(wordsOf(row.action, usKeysOf));
        if (*row.pad.words != '\0')
            std::cout << " (gamepad: " << plain(row.pad.words) << ")";
        std::cout << ".\n";
    }
    std::cout << ".SH ENVIRONMENT\n"
                 ".TP\n.B DISPLAY\nThe X display to open the window on.\n"
                 ".TP\n.B TAMROW_DATA_DIR\nA folder of the game's "
              << ImageFileCount
              << " images, looked in first.\n"
                 ".TP\n.B XDG_PICTURES_DIR\nWhere F12 saves screenshots (else \\fI~/Pictures\\fR, else the working folder).\n"
                 ".TP\n.B XDG_CONFIG_HOME\nWhere the settings are kept (else \\fI~/.config\\fR).\n"
                 ".SH FILES\n"
                 ".TP\n.I $XDG_CONFIG_HOME/tamrow/settings.ini\n"
                 "What the game remembers between runs, one \\fIname\\fR = \\fIvalue\\fR line each, written\n"
                 "whenever one changes and when the game ends. A line not understood or out of range is\n"
                 "named on standard error and its setting starts afresh. Under a \\fB[keys]\\fR line, one\n"
                 "\\fIaction\\fR = \\fIkey\\fR line each binds the action (see CONTROLS) to the key of that X name\n"
                 "(\\fIl\\fR, \\fIsemicolon\\fR, \\fIF5\\fR, \\fIBackSpace\\fR) in the layout in force; an action or key not\n"
                 "known, or a key two actions would share, is named on standard error and the action keeps its\n"
                 "key:\n"
                 ".RS\n";
    for (const SettingRule& rule : SettingRules)
        std::cout << ".TP\n.B " << plain(rule.name) << "\n" << rule.least << " to " << rule.most << ", at first "
                  << rule.initial << ".\n";
    std::cout << ".RE\n"
                 ".TP\n.I /usr/share/tamrow/image/\n"
                 "The game's images; the first folder holding \\fI"
              << plain(MapImageFile)
              << "\\fR of \\fB$TAMROW_DATA_DIR\\fR, \\fI./resources/image/\\fR and\n"
                 "\\fIshare/tamrow/image/\\fR beside the program's folder is used (\\fBtamrow \\-\\-help\\fR lists them).\n"
                 ".SH EXIT STATUS\n"
                 "0 when the window is closed; 1 when there is no X display, or a replay or recording\n"
                 "fails; 2 for an option not understood.\n";
    return 0;
}
