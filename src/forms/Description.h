// A window as data: what a face builds, whatever toolkit it uses. Positions and sizes are
// pixels at 96 dpi; texts are UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

inline constexpr std::string_view kAppTitle = "Zanvoro!";
inline constexpr std::string_view kFontFamily = "ＭＳ Ｐゴシック";
// Who the credit lines and the About box name as the maker, and the version they show.
inline constexpr std::string_view kMakerCredit = "Zanvoro 開発チーム";
inline constexpr std::string_view kVersion = "H15.5";

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The fixed colours and the system colours the windows are drawn in.
// Grey: text of what is not there yet (a batch row not yet computed).
enum class Colour { WindowText, Blue, Red, Teal, Black, ButtonFace, Light3D, Window, Grey };

// Always the family kFontFamily in the Japanese character set.
struct Font {
    int pixels = 16;  // character height
    bool bold = false;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class ControlKind {
    Label,         // drawn on its parent's background, sized to its text
    Edit,          // single line, left-aligned, no length limit, fixed height
    ResultBox,     // read-only, sunken, button face, right-aligned, fixed size, no focus
    RadioButton,
    CheckBox,
    PushButton,
    CaptionFrame,  // a frame with a caption that holds or underlies other controls
    BevelPanel,    // a raised bevel inside a lowered one
    Picture,
    // Its caption is the name it is read aloud by.
    Table,         // rows and columns of cells, with headers, that the window fills
    ProgressBar,
};

enum class Picture { None, ProgramIcon, Door };

// One control. Its place is inside its parent: the window's client area when `parent` is
// empty, else the named frame or panel, measured from the frame's outer corner.
struct Control {
    std::string name;  // as the control is known to the code, the tests and the face
    ControlKind kind = ControlKind::Label;
    std::string parent;
    std::string caption;  // a label's or button's text, a frame's caption, an edit's first text
    Rect at;
    Font font;
    Colour colour = Colour::WindowText;
    bool enabled = true;   // as made, before any handler
    bool checked = false;
    int group = 0;  // radio buttons with the same non-zero group exclude each other
    Picture picture = Picture::None;
    bool wraps = false;  // a label that wraps at its width and grows downwards

    bool takesFocus() const {
        return kind == ControlKind::Edit || kind == ControlKind::RadioButton ||
               kind == ControlKind::CheckBox || kind == ControlKind::PushButton;
    }
};

using ControlId = std::size_t;
inline constexpr ControlId kNoControl = static_cast<ControlId>(-1);

// What a key, a menu item or the result area's menu asks of the window or its face.
enum class Command {
    None,            // the key is swallowed
    CopyBreakdown,   // the whole estimate to the clipboard (in an edit with a selection: that)
    Print,
    SavePdf,
    OpenBatch,
    ShowCalculator,
    ShowAbout,
    Close,
};

enum class Key { Enter, Escape, C, P, B };

struct KeyBinding {
    Key key;
    bool ctrl = false;
    Command command = Command::None;
    // The key's text as a menu shows it.
    std::string text() const;
};

struct MenuItem {
    std::string name;
    std::string caption;  // "-" for a separator
    Command command = Command::None;
    std::vector<MenuItem> items;  // a drop-down's entries
};

// The result area's context menu's first entry: it copies the figure under the pointer.
inline constexpr std::string_view kCopyFigureCaption = "コピー";

// An entry of the result area's context menu, after its first entry that copies the figure
// under the pointer.
struct ResultMenuEntry {
    std::string caption;
    Command command;
    bool separatorBefore = false;
    // The caption, then a tab and the key's text where `keys` run the same command: from the
    // keys themselves, so that menu and keys cannot disagree.
    std::string text(const std::vector<KeyBinding>& keys) const;
};

enum class Border {
    FixedSingle,  // title bar with minimize and maximize; maximizing moves no control
    Sizeable,     // scroll bars where the window is smaller than its controls
    DialogFrame,  // close button only
};

struct Window {
    std::string name;   // the window's object name
    std::string title;
    Size client;        // below the menu bar
    Size extent;        // what the controls occupy; a sizeable window scrolls beyond it
    Point position;     // on screen, before fitting onto it; centred when `centred`
    bool centred = false;
    Border border = Border::FixedSingle;
    Colour background = Colour::ButtonFace;
    Font font;          // the window font, for controls without one of their own
    std::vector<Control> controls;  // in creation order
    // Tab order: the window's own children first to last, then one list per container
    // (a frame's children), each visited right after its container. Controls that take no
    // focus are listed too: the arrows count them.
    std::vector<std::vector<std::string>> tabOrders;
    std::vector<MenuItem> menuBar;
    std::vector<KeyBinding> keys;
    std::vector<ResultMenuEntry> resultMenu;  // empty: the window has none
    // The button Enter presses while the focus is not on a push button, and every button
    // drawn with the default frame meanwhile.
    std::string defaultButton;
    std::vector<std::string> defaultFramed;
    std::string firstFocus;  // where the focus is when the window is first shown

    ControlId find(std::string_view controlName) const;
    const Control& control(std::string_view controlName) const;
};

}  // namespace forms
