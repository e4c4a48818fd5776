// Qt controls made from a window's description.
#include "Controls.h"

#include <QCheckBox>
#include <QFrame>
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
#include <stdexcept>
#include <map>

#include "ScalableIcons.h"
#include "WindowButton.h"

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

// A panel with a raised bevel inside a lowered one.
class BevelPanel final : public QFrame {
public:
    explicit BevelPanel(QWidget* parent) : QFrame(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor light = palette().color(QPalette::Light);
        const QColor shadow = palette().color(QPalette::Dark);
        const QRect outer = rect().adjusted(0, 0, -1, -1);
        bevel(p, outer, shadow, light);
        bevel(p, outer.adjusted(1, 1, -1, -1), light, shadow);
    }

private:
    static void bevel(QPainter& p, const QRect& r, const QColor& topLeft,
                      const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
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

std::vector<QWidget*> BuildControls(const forms::Window& window, QWidget* area) {
    using K = forms::ControlKind;
    std::vector<QWidget*> widgets;
    widgets.reserve(window.controls.size());
    std::map<int, QList<QRadioButton*>> groups;
    for (const forms::Control& c : window.controls) {
        QWidget* parent = area;
        if (!c.parent.empty()) parent = widgets.at(window.find(c.parent));
        const QByteArray name = QByteArray::fromStdString(c.name);
        const QString caption = Text(c.caption);
        const QRect at = RectOf(c.at);
        const QFont font = FontOf(c.font);
        const QColor colour = ColourOf(c.colour);
        QWidget* made = nullptr;
        switch (c.kind) {
        case K::Label: {
            QLabel* label = MakeLabel(parent, name.constData(), caption, at, font, colour);
            if (c.wraps) {
                label->setWordWrap(true);
                label->resize(at.width(), std::max(at.height(), label->heightForWidth(at.width())));
            }
            made = label;
            break;
        }
        case K::Edit:
            made = MakeEdit(parent, name.constData(), at, font, colour);
            break;
        case K::ResultBox:
            made = MakeResultBox(parent, name.constData(), at, c.font.bold);
            break;
        case K::RadioButton: {
            auto* rb = MakeButton<QRadioButton>(parent, name.constData(), caption, at, font, colour);
            rb->setChecked(c.checked);
            if (c.group != 0) groups[c.group].push_back(rb);
            made = rb;
            break;
        }
        case K::CheckBox:
            made = MakeButton<QCheckBox>(parent, name.constData(), caption, at, font, colour);
            static_cast<QCheckBox*>(made)->setChecked(c.checked);
            break;
        case K::PushButton: {
            auto* button =
                MakeButton<WindowButton>(parent, name.constData(), caption, at, font, colour);
            if (c.picture == forms::Picture::Door) {
                button->setIcon(ScalableDoorPicture());
                button->setIconSize(QSize(18, 18));
            }
            made = button;
            break;
        }
        case K::CaptionFrame:
            made = MakeCaptionFrame(parent, name.constData(), caption, at, font, colour);
            break;
        case K::BevelPanel:
            made = new BevelPanel(parent);
            break;
        case K::Picture:
            made = new QLabel(parent);
            break;
        case K::Table:
        case K::ProgressBar:
            // Laid out by the batch window itself, with its model.
            throw std::logic_error("no fixed place for " + c.name);
        }
        if (c.kind == K::BevelPanel || c.kind == K::Picture) {
            made->setObjectName(QString::fromLatin1(name));
            made->setGeometry(at);
        }
        if (!c.enabled) made->setEnabled(false);
        widgets.push_back(made);
    }
    // Each group on its own: Qt's automatic grouping would reach a frame's buttons from its
    // parent's.
    for (const auto& [group, buttons] : groups) MakeExclusiveGroup(area, buttons);
    return widgets;
}

}  // namespace zanvoro
