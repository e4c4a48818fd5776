// The figure table of both calculating windows, their common controls and what they do alike.
#include "CalculatorWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <limits>
#include <span>

#include "AccessibleNames.h"
#include "ReportCommands.h"
#include "ScalableIcons.h"

using namespace Qt::Literals::StringLiterals;

namespace zanvoro {

namespace {

// Qt lays a line edit's whole text out anew on every paint, the cursor's blink included:
// seconds for a pasted column of millions of characters, and the window would hang. Past
// this length the edit draws only the characters around the cursor itself.
constexpr qsizetype kLongText = 100'000;

class FieldEdit final : public QLineEdit {
public:
    FieldEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        const QString all = text();
        if (all.size() <= kLongText) {
            QLineEdit::paintEvent(event);
            return;
        }
        QPainter p(this);
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
        const QRect area = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
        p.setClipRect(area);
        const QFontMetrics fm(font());
        // The margins of Qt's own drawing.
        const QRect line(area.x() + 2, area.y() + (area.height() - fm.height() + 1) / 2,
                         area.width() - 4, fm.height());

        // As Qt scrolls: from the start while the cursor is in view there, else with the
        // cursor at the right edge.
        const qsizetype cursor = cursorPosition();
        qsizetype from = cursor;
        int before = 0;
        while (from > 0 && before < line.width()) before += fm.horizontalAdvance(all[--from]);
        const qsizetype selFrom = hasSelectedText() ? selectionStart() : -1;
        const qsizetype selTo = hasSelectedText() ? selectionEnd() : -1;
        int x = from == 0 ? line.left() : line.right() - before;
        int cursorX = x;
        for (qsizetype i = from; i < all.size() && x <= line.right(); ++i) {
            if (i == cursor) cursorX = x;
            const QRect cell(x, line.top(), fm.horizontalAdvance(all[i]), line.height());
            const bool selected = i >= selFrom && i < selTo;
            if (selected) p.fillRect(cell, palette().color(QPalette::Highlight));
            p.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
            p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, QString(all[i]));
            x = cell.right() + 1;
        }
        if (cursor == all.size()) cursorX = x;
        if (hasFocus()) {
            p.setPen(palette().color(QPalette::Text));
            p.drawLine(cursorX, line.top(), cursorX, line.bottom());
        }
    }
};

}  // namespace

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                    const QColor& colour) {
    // A new edit lays its text out in the application's font before it takes its own:
    // with the edit's font lent to the application meanwhile, no other font is loaded.
    // QGuiApplication's, not QApplication's: that one also drops the fonts Qt keeps per
    // kind of widget (a theme's menu font, say), which setting the old font back does not
    // restore.
    const QFont application = QGuiApplication::font();
    QGuiApplication::setFont(font);
    auto* edit = new FieldEdit(u"0"_s, parent);
    QGuiApplication::setFont(application);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(std::numeric_limits<int>::max());
    // "0" needs no font but the table's; what the user types may need others, so the edit
    // merges fallback fonts from its first change on, after the start-up's paint.
    edit->setFont(font);
    QObject::connect(
        edit, &QLineEdit::textChanged, edit,
        [edit] { edit->setFont(WithFallbacks(edit->font())); }, Qt::SingleShotConnection);
    SetTextColour(edit, colour);
    edit->setGeometry(geometry);
    edit->setFixedHeight(geometry.height());
    return edit;
}

HandlerLinks::~HandlerLinks() {
    for (const auto& link : links_) QObject::disconnect(link);
}

namespace {

using W = CalculatorWindow;

// A label member of the window and its name.
struct Control {
    QLabel* W::*member;
    const char* name;
};
#define ZANVORO_CONTROL(member) Control{&W::member, #member}

// The figure table: each amount with its box, the caption above it and "万円" beside it; each
// rate with the "％" beside it and the amount it governs. `result` is the figure's place in
// FormatResults' texts.
struct AmountRow {  // NOLINT(clang-analyzer-optin.performance.Padding): ten rows, read once
    int result;
    Control box;
    QPoint at;
    bool bold;
    Control caption;
    const char16_t* captionText;
    int captionWidth;
    QColor captionColour;
    Control unit;
};

struct RateRow {
    int result;
    int amount;  // the result of the amount it governs
    int top;     // its "％" label's; a rate edit stands 4 pixels higher
    Control unit;
    const char* boxName;   // the main window's result box
    const char* editName;  // the calculator's edit
};

std::span<const AmountRow> Amounts() {
#define C ZANVORO_CONTROL
    static const AmountRow rows[] = {
        {11, C(SText12), {8, 104}, false, C(Label23), u"工事費 (概算)", 95, kRed, C(Label24)},
        {12, C(SText13), {160, 104}, false, C(Label25), u"共通費計", 64, kBlack, C(Label26)},
        {9, C(SText6), {8, 168}, false, C(Label2), u"工事価格", 64, WindowText(), C(Label21)},
        {10, C(SText7), {160, 168}, false, C(Label3), u"消費税", 48, WindowText(), C(Label22)},
        {6, C(SText9), {8, 232}, false, C(Label4), u"工事原価", 64, WindowText(), C(Label19)},
        {7, C(SText3), {160, 232}, false, C(Label5), u"一般管理費", 80, WindowText(), C(Label20)},
        {3, C(SText10), {8, 296}, false, C(Label9), u"純工事費", 64, WindowText(), C(Label17)},
        {4, C(SText2), {160, 296}, false, C(Label10), u"現場管理費", 80, WindowText(), C(Label18)},
        {0, C(SText4), {8, 360}, true, C(Label12), u"直接工事費", 80, kRed, C(Label15)},
        {1, C(SText1), {160, 360}, false, C(Label13), u"共通仮設費", 80, WindowText(), C(Label16)},
    };
    return rows;
}

const RateRow kRates[] = {
    {8, 7, 216, C(Label8), "SText8", "Edit4"},
    {5, 4, 280, C(Label11), "SText11", "Edit5"},
    {2, 1, 344, C(Label14), "SText5", "Edit6"},
};
#undef C
#undef ZANVORO_CONTROL

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* window, const QString& name, const QString& title,
                                   const QColor& background, int fontPixels)
    : window_(window) {
    InstallWindowRole();
    window->setObjectName(name);
    window->setWindowTitle(title);
    window->setWindowIcon(ScalableProgramIcon());
    ApplyWindowColours(window, background);
    window->setFont(PGothic(fontPixels));
}

CalculatorWindow::~CalculatorWindow() = default;

void CalculatorWindow::BuildControls(QWidget* area, const Design& design, const RateBoxes& boxes) {
    BuildInput(area, design);
    BuildAmounts(area);
    for (std::size_t i = 0; i < 3; ++i) {
        *boxes[i] = MakeResultBox(area, kRates[i].boxName, {240, kRates[i].top, 50, 17}, false);
        SetRate(i, *boxes[i]);
    }
    BuildExpenses(area, design);
    BuildBottom(area, design);
}

void CalculatorWindow::BuildControls(QWidget* area, const Design& design, const RateEdits& edits) {
    BuildInput(area, design);
    BuildAmounts(area);
    BuildExpenses(area, design);
    BuildBottom(area, design);
    for (std::size_t i = 0; i < 3; ++i) {
        *edits[i] = MakeEdit(area, kRates[i].editName, {240, kRates[i].top - 4, 50, 20},
                             PGothic(16), WindowText());
        SetRate(i, *edits[i]);
    }
}

void CalculatorWindow::BuildInput(QWidget* area, const Design& design) {
    Label1 = MakeLabel(area, "Label1", design.inputCaption, {8, 8, design.inputCaptionWidth, 16},
                       PGothic(16), kBlue);
    Edit1 = MakeEdit(area, "Edit1", {8, 32, 169, 27}, PGothic(19, true), WindowText());
    Label6 = MakeLabel(area, "Label6", u"万円"_s, {184, 40, 32, 16}, PGothic(16), WindowText());

    // The buttons belong to the area itself and are drawn over the frame, made before them.
    RadioGroup1 =
        MakeCaptionFrame(area, "RadioGroup1", u"工事種類"_s, {224, 8, 273, 57}, PGothic(16), kBlue);
    rb1 = MakeButton<QRadioButton>(area, "rb1", u"道路維持"_s, {240, 32, 89, 17}, PGothic(16),
                                   WindowText());
    rb2 = MakeButton<QRadioButton>(area, "rb2", u"新営"_s, {352, 32, 57, 17}, PGothic(16),
                                   WindowText());
    rb3 = MakeButton<QRadioButton>(area, "rb3", u"改修"_s, {432, 32, 57, 17}, PGothic(16),
                                   WindowText());
    rb1->setChecked(true);
    MakeExclusiveGroup(area, {rb1, rb2, rb3});
}

void CalculatorWindow::BuildAmounts(QWidget* area) {
    const QFont caption = PGothic(16);
    const QFont unit = PGothic(13);
    for (const AmountRow& a : Amounts()) {
        QLabel*& title = this->*a.caption.member;
        title = MakeLabel(area, a.caption.name, QString::fromUtf16(a.captionText),
                          {a.at - QPoint(0, 16), QSize(a.captionWidth, 16)}, caption,
                          a.captionColour);
        QLabel*& box = this->*a.box.member;
        box = MakeResultBox(area, a.box.name, {a.at, QSize(80, 17)}, a.bold);
        QLabel*& yen = this->*a.unit.member;
        yen = MakeLabel(area, a.unit.name, u"万円"_s, {a.at + QPoint(80, 0), QSize(26, 13)}, unit,
                        WindowText());
        figures_[std::size_t(a.result)] = {box, title, yen, nullptr};
    }
    Label7 = MakeLabel(area, "Label7", u"５％"_s, {280, 152, 22, 13}, unit, WindowText());
    for (const RateRow& r : kRates)
        this->*r.unit.member =
            MakeLabel(area, r.unit.name, u"％"_s, {290, r.top, 13, 13}, unit, WindowText());
}

void CalculatorWindow::SetRate(std::size_t row, QWidget* field) {
    const RateRow& r = kRates[row];
    figures_[std::size_t(r.result)] = {field, nullptr, this->*r.unit.member,
                                       &figures_[std::size_t(r.amount)]};
}

void CalculatorWindow::BuildExpenses(QWidget* area, const Design& design) {
    GroupBox1 = MakeCaptionFrame(area, "GroupBox1", u"経費設定"_s,
                                 {328, 88, 169, design.expensesHeight}, PGothic(16), kBlue);
    QWidget* g = GroupBox1;
    const int row1 = design.firstCheckRow, row2 = row1 + design.checkRowStep,
              row3 = row2 + design.checkRowStep, gap = design.editGap;
    CheckBox1 = MakeButton<QCheckBox>(g, "CheckBox1", u"直工だけに含まない金額"_s, {8, row1, 153, 17},
                                      PGothic(12), kBlack);
    Edit2 = MakeEdit(g, "Edit2", {48, row1 + gap, 73, 24}, PGothic(16, true), kBlack);
    Label27 =
        MakeLabel(g, "Label27", u"万円"_s, {120, row1 + gap + 8, 26, 13}, PGothic(13), kBlack);
    CheckBox2 = MakeButton<QCheckBox>(g, "CheckBox2", u"全経費を掛けない金額"_s, {8, row2, 153, 17},
                                      PGothic(12), kBlack);
    Edit3 = MakeEdit(g, "Edit3", {48, row2 + gap, 73, 24}, PGothic(16, true), kBlack);
    Label28 =
        MakeLabel(g, "Label28", u"万円"_s, {120, row2 + gap + 8, 26, 13}, PGothic(13), kBlack);
    CheckBox3 = MakeButton<QCheckBox>(g, "CheckBox3", u"共通仮設費をみない"_s, {8, row3, 137, 17},
                                      PGothic(12), kBlack);
}

void CalculatorWindow::BuildBottom(QWidget* area, const Design& design) {
    const QString credit =
        design.product + u"　　for  "_s + kMakerCredit + u"    Ver  "_s + kVersion + u' ';
    Label29 = MakeLabel(area, "Label29", credit, design.credit, PGothic(12, false, true), kTeal);
    Button2 = MakeButton<QPushButton>(area, "Button2", u"クリア"_s, {8, 408, 105, 41}, PGothic(16),
                                      WindowText());
    Button1 = MakeButton<QPushButton>(area, "Button1", u"計　        　算"_s, {128, 408, 249, 41},
                                      PGothic(16), WindowText());
}

QList<const Figure*> CalculatorWindow::ReportFigures() const {
    QList<const Figure*> out;
    for (const Figure& figure : figures_) out.push_back(&figure);
    return out;
}

std::array<costmodel::RateBasis, 3> CalculatorWindow::RateBasesShown() const {
    if (!shown_.shown) return {};
    auto bases = costmodel::RateBases(shown_.breakdown, shown_.work, shown_.noCommonTemp);
    if (shown_.manualRates)
        for (auto& basis : bases) basis.Rule = "手動入力";
    return bases;
}

WindowKeys& CalculatorWindow::InstallKeys(const QList<QList<QWidget*>>& orders) {
    keys_ = std::make_unique<WindowKeys>(window_, Button1, orders);
    // The windows have no cancel button.
    keys_->addShortcut(Qt::Key_Escape, Qt::NoModifier, {});
    for (const WindowCommand& command : WindowCommands())
        if (command.key != QKeyCombination())
            keys_->addShortcut(command.key.key(), command.key.keyboardModifiers(),
                              [w = window_, run = command.fromKey ? command.fromKey : command.fromMenu] {
                                  run(w);
                              });
    return *keys_;
}

void CalculatorWindow::ConnectCommonHandlers(std::function<void()> calculate) {
    links_.on(Button1, &QPushButton::clicked, window_, std::move(calculate));
    links_.on(Button2, &QPushButton::clicked, window_, [this] { Button2Click(); });
    links_.on(CheckBox1, &QCheckBox::toggled, window_, [this] { CheckBox1Click(); });
    links_.on(CheckBox2, &QCheckBox::toggled, window_, [this] { CheckBox2Click(); });
}

void CalculatorWindow::FinishControls(Construction construction) {
    InstallResultMenu(window_);
    if (construction == Construction::Complete) NameControls(*this);
}

std::string CalculatorWindow::Text(const QLineEdit* edit) { return edit->text().toStdString(); }

bool CalculatorWindow::IsChecked(const QCheckBox* box) { return box->isChecked(); }

costmodel::WorkType CalculatorWindow::Work() const {
    return rb2->isChecked()   ? costmodel::WorkType::NewBuilding
           : rb3->isChecked() ? costmodel::WorkType::Renovation
                              : costmodel::WorkType::RoadMaintenance;
}

void CalculatorWindow::ShowTexts(const costmodel::ResultTexts& texts) {
    for (std::size_t i = 0; i < figures_.size(); ++i) {
        const QString text = QString::fromStdString(texts[i]);
        if (auto* edit = qobject_cast<QLineEdit*>(figures_[i].value))
            edit->setText(text);
        else if (auto* box = qobject_cast<QLabel*>(figures_[i].value))
            box->setText(text);
    }
    NameFigures(*this);
}

void CalculatorWindow::ShowResults(const costmodel::CostBreakdown& breakdown, bool manualRates) {
    shown_ = read_;
    shown_.shown = true;
    shown_.breakdown = breakdown;
    shown_.manualRates = manualRates;
    ShowTexts(costmodel::FormatResults(breakdown));
}

void CalculatorWindow::Button2Click() {
    Edit1->setText(u"0"_s);
    ResetEstimate();
    shown_ = {};
    costmodel::ResultTexts zeros;
    zeros.fill("0");
    ShowTexts(zeros);
    Edit2->setText(u"0"_s);
    Edit3->setText(u"0"_s);
    // Each box that changes state disables its edit through its own handler.
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    CheckBox3->setChecked(false);
}

void CalculatorWindow::CheckBox1Click() { Edit2->setEnabled(CheckBox1->isChecked()); }

void CalculatorWindow::CheckBox2Click() { Edit3->setEnabled(CheckBox2->isChecked()); }

}  // namespace zanvoro
