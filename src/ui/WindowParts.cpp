// The controls both calculating windows build alike, and their edits and buttons.
#include "WindowParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <limits>

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
    auto* edit = new FieldEdit(U("0"), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setFont(font);
    SetTextColour(edit, colour);
    edit->setGeometry(geometry);
    edit->setFixedHeight(geometry.height());
    return edit;
}

void ShowTexts(const ResultFields& fields, const costmodel::ResultTexts& texts) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString text = QString::fromStdString(texts[i]);
        if (auto* edit = qobject_cast<QLineEdit*>(fields[i]))
            edit->setText(text);
        else if (auto* box = qobject_cast<QLabel*>(fields[i]))
            box->setText(text);
    }
}

void CalculatorControls::BuildInput(QWidget* area, const QString& caption, int captionWidth) {
    Label1 = MakeLabel(area, "Label1", caption, {8, 8, captionWidth, 16}, PGothic(16), kBlue);
    Edit1 = MakeEdit(area, "Edit1", {8, 32, 169, 27}, PGothic(19, true), WindowText());
    Label6 = MakeLabel(area, "Label6", U("万円"), {184, 40, 32, 16}, PGothic(16), WindowText());

    // The buttons belong to the area itself and are drawn over the frame, made before them.
    RadioGroup1 =
        MakeCaptionFrame(area, "RadioGroup1", U("工事種類"), {224, 8, 273, 57}, PGothic(16), kBlue);
    rb1 = MakeButton<QRadioButton>(area, "rb1", U("道路維持"), {240, 32, 89, 17}, PGothic(16),
                                   WindowText());
    rb2 = MakeButton<QRadioButton>(area, "rb2", U("新営"), {352, 32, 57, 17}, PGothic(16),
                                   WindowText());
    rb3 = MakeButton<QRadioButton>(area, "rb3", U("改修"), {432, 32, 57, 17}, PGothic(16),
                                   WindowText());
    rb1->setChecked(true);
    MakeExclusiveGroup(area, {rb1, rb2, rb3});
}

void CalculatorControls::BuildResults(QWidget* area) {
    const QFont caption = PGothic(16);
    const QFont unit = PGothic(13);
    struct Amount {
        QLabel*& box;
        const char* boxName;
        int x, y;
        bool bold;
        int titleWidth;
        QLabel*& title;
        const char* titleName;
        const char* titleText;
        QColor titleColour;
        QLabel*& unit;
        const char* unitName;
    };
    const Amount amounts[] = {
        {SText12, "SText12", 8, 104, false, 95, Label23, "Label23", "工事費 (概算)", kRed, Label24,
         "Label24"},
        {SText13, "SText13", 160, 104, false, 64, Label25, "Label25", "共通費計", kBlack, Label26,
         "Label26"},
        {SText6, "SText6", 8, 168, false, 64, Label2, "Label2", "工事価格", WindowText(), Label21,
         "Label21"},
        {SText7, "SText7", 160, 168, false, 48, Label3, "Label3", "消費税", WindowText(), Label22,
         "Label22"},
        {SText9, "SText9", 8, 232, false, 64, Label4, "Label4", "工事原価", WindowText(), Label19,
         "Label19"},
        {SText3, "SText3", 160, 232, false, 80, Label5, "Label5", "一般管理費", WindowText(),
         Label20, "Label20"},
        {SText10, "SText10", 8, 296, false, 64, Label9, "Label9", "純工事費", WindowText(), Label17,
         "Label17"},
        {SText2, "SText2", 160, 296, false, 80, Label10, "Label10", "現場管理費", WindowText(),
         Label18, "Label18"},
        {SText4, "SText4", 8, 360, true, 80, Label12, "Label12", "直接工事費", kRed, Label15,
         "Label15"},
        {SText1, "SText1", 160, 360, false, 80, Label13, "Label13", "共通仮設費", WindowText(),
         Label16, "Label16"},
    };
    for (const Amount& a : amounts) {
        a.title = MakeLabel(area, a.titleName, U(a.titleText), {a.x, a.y - 16, a.titleWidth, 16},
                            caption, a.titleColour);
        a.box = MakeResultBox(area, a.boxName, {a.x, a.y, 80, 17}, a.bold);
        a.unit =
            MakeLabel(area, a.unitName, U("万円"), {a.x + 80, a.y, 26, 13}, unit, WindowText());
    }
    Label7 = MakeLabel(area, "Label7", U("５％"), {280, 152, 22, 13}, unit, WindowText());
    // The "％" of the general management, site management and common temporary rates.
    Label8 = MakeLabel(area, "Label8", U("％"), {290, 216, 13, 13}, unit, WindowText());
    Label11 = MakeLabel(area, "Label11", U("％"), {290, 280, 13, 13}, unit, WindowText());
    Label14 = MakeLabel(area, "Label14", U("％"), {290, 344, 13, 13}, unit, WindowText());
}

void CalculatorControls::BuildExpenses(QWidget* area, int height, int firstRow, int rowStep,
                                       int editGap) {
    GroupBox1 = MakeCaptionFrame(area, "GroupBox1", U("経費設定"), {328, 88, 169, height},
                                 PGothic(16), kBlue);
    QWidget* g = GroupBox1;
    const int row2 = firstRow + rowStep, row3 = row2 + rowStep;
    CheckBox1 = MakeButton<QCheckBox>(g, "CheckBox1", U("直工だけに含まない金額"),
                                      {8, firstRow, 153, 17}, PGothic(12), kBlack);
    Edit2 = MakeEdit(g, "Edit2", {48, firstRow + editGap, 73, 24}, PGothic(16, true), kBlack);
    Label27 = MakeLabel(g, "Label27", U("万円"), {120, firstRow + editGap + 8, 26, 13}, PGothic(13),
                        kBlack);
    CheckBox2 = MakeButton<QCheckBox>(g, "CheckBox2", U("全経費を掛けない金額"), {8, row2, 153, 17},
                                      PGothic(12), kBlack);
    Edit3 = MakeEdit(g, "Edit3", {48, row2 + editGap, 73, 24}, PGothic(16, true), kBlack);
    Label28 =
        MakeLabel(g, "Label28", U("万円"), {120, row2 + editGap + 8, 26, 13}, PGothic(13), kBlack);
    CheckBox3 = MakeButton<QCheckBox>(g, "CheckBox3", U("共通仮設費をみない"), {8, row3, 137, 17},
                                      PGothic(12), kBlack);
}

void CalculatorControls::BuildBottom(QWidget* area, const QString& credit,
                                     const QRect& creditGeometry) {
    Label29 = MakeLabel(area, "Label29", credit, creditGeometry, PGothic(12, false, true), kTeal);
    Button2 = MakeButton<QPushButton>(area, "Button2", U("クリア"), {8, 408, 105, 41}, PGothic(16),
                                      WindowText());
    Button1 = MakeButton<QPushButton>(area, "Button1", U("計　        　算"), {128, 408, 249, 41},
                                      PGothic(16), WindowText());
}

costmodel::WorkType CalculatorControls::Work() const {
    return rb2->isChecked()   ? costmodel::WorkType::NewBuilding
           : rb3->isChecked() ? costmodel::WorkType::Renovation
                              : costmodel::WorkType::RoadMaintenance;
}

ResultFields CalculatorControls::Fields(QWidget* commonTempRate, QWidget* siteMgmtRate,
                                        QWidget* generalMgmtRate) const {
    return {SText4, SText1,          commonTempRate, SText10, SText2,  siteMgmtRate, SText9,
            SText3, generalMgmtRate, SText6,         SText7,  SText12, SText13};
}

void CalculatorControls::ClearFields(const ResultFields& fields) {
    ShowTexts(fields, costmodel::ResultTexts{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                             "0", "0"});
    Edit2->setText(U("0"));
    Edit3->setText(U("0"));
    // Each box that changes state disables its edit through its own handler.
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    CheckBox3->setChecked(false);
}

HandlerLinks::~HandlerLinks() {
    for (const auto& link : links_) QObject::disconnect(link);
}

}  // namespace zanvoro
