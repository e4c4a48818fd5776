// Fonts, colours, labels, captioned frames and result boxes of the windows.
#include "WindowLook.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace zanvoro {

namespace {

// Shades of the classic bevel: light edges white, shadow edges grey.
const QColor kHighlight{0xFF, 0xFF, 0xFF};
const QColor kShadow{0xA0, 0xA0, 0xA0};
const QColor kDarkShadow{0x69, 0x69, 0x69};

class ResultBox final : public QLabel {
public:
    explicit ResultBox(QWidget* parent) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        drawFrame(&p);
        const QRect area = textArea();
        p.setFont(fittingFont(area.width()));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(area, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text());
    }

    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            // Only a text drawn smaller than the box's font needs its tooltip.
            const auto* help = static_cast<QHelpEvent*>(e);
            if (QFontMetrics(font()).horizontalAdvance(text()) > textArea().width())
                QToolTip::showText(help->globalPos(), text(), this);
            else
                QToolTip::hideText();
            return true;
        }
        return QLabel::event(e);
    }

private:
    QRect textArea() const { return contentsRect().adjusted(1, 0, -2, 0); }

    QFont fittingFont(int width) const {
        QFont f = font();
        while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(text()) > width)
            f.setPixelSize(f.pixelSize() - 1);
        return f;
    }
};

class CaptionFrame final : public QGroupBox {
public:
    CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QFontMetrics fm(font());
        const QRect line = rect().adjusted(0, fm.height() / 2, -1, -1);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(line.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(line.adjusted(1, 1, 0, 0));
        if (title().isEmpty()) return;
        const QRect text(8, 0, fm.horizontalAdvance(title()) + 2, fm.height());
        p.fillRect(text, palette().color(QPalette::Window));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(text.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   title());
    }
};

}  // namespace

void InstallFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    const QStringList families = QFontDatabase::families();
    for (const QString& name : {kFontFamily, QStringLiteral("MS PGothic")})
        if (!families.contains(name)) QFont::insertSubstitution(name, QStringLiteral("IPAPGothic"));
}

QFont PGothic(int pixelSize, bool bold, bool italic) {
    InstallFontSubstitutions();
    QFont f(kFontFamily);
    // The font has every character of the windows' own texts; not asking fontconfig for
    // fallbacks script by script spares the start-up a sort of all fonts each time.
    f.setStyleStrategy(QFont::NoFontMerging);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont WithFallbacks(QFont font) {
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

QColor Light3D() { return {0xE3, 0xE3, 0xE3}; }
QColor ButtonFace() { return {0xF0, 0xF0, 0xF0}; }
QColor WindowText() { return kBlack; }

void ApplyWindowColours(QWidget* window, const QColor& background) {
    QPalette pal = window->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::Window, background);
        pal.setColor(g, QPalette::Button, ButtonFace());
        pal.setColor(g, QPalette::Base, kHighlight);
        pal.setColor(g, QPalette::Light, kHighlight);
        pal.setColor(g, QPalette::Midlight, Light3D());
        pal.setColor(g, QPalette::Mid, kShadow);
        pal.setColor(g, QPalette::Dark, kShadow);
        pal.setColor(g, QPalette::Shadow, kDarkShadow);
        pal.setColor(g, QPalette::WindowText, WindowText());
        pal.setColor(g, QPalette::Text, WindowText());
        pal.setColor(g, QPalette::ButtonText, WindowText());
    }
    pal.setColor(QPalette::Disabled, QPalette::Window, background);
    pal.setColor(QPalette::Disabled, QPalette::Button, ButtonFace());
    pal.setColor(QPalette::Disabled, QPalette::Base, ButtonFace());
    pal.setColor(QPalette::Disabled, QPalette::Light, kHighlight);
    pal.setColor(QPalette::Disabled, QPalette::Dark, kShadow);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, kShadow);
    pal.setColor(QPalette::Disabled, QPalette::Text, kShadow);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, kShadow);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

void SetTextColour(QWidget* control, const QColor& colour) {
    QPalette pal = control->palette();
    // Most controls write in the colour they take from their window: nothing to set.
    if (pal.color(QPalette::WindowText) == colour && pal.color(QPalette::Text) == colour &&
        pal.color(QPalette::ButtonText) == colour)
        return;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::WindowText, colour);
        pal.setColor(g, QPalette::Text, colour);
        pal.setColor(g, QPalette::ButtonText, colour);
    }
    control->setPalette(pal);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font);
    SetTextColour(label, colour);
    // Sized to its text: the given size unless the text needs more, so no descender is cut.
    // The height first: it loads the font for the script all texts share, which the kanji
    // then use too; asked for kanji first, Qt looks through the system's fallback fonts.
    const QFontMetrics fm(font);
    const int height = fm.height();
    const QSize size = geometry.size().expandedTo({fm.horizontalAdvance(text), height});
    label->setGeometry(QRect(geometry.topLeft(), size));
    return label;
}

QGroupBox* MakeCaptionFrame(QWidget* parent, const char* name, const QString& caption,
                            const QRect& geometry, const QFont& font, const QColor& colour) {
    auto* frame = new CaptionFrame(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFont(font);
    SetTextColour(frame, colour);
    frame->setFocusPolicy(Qt::NoFocus);
    frame->setGeometry(geometry);
    return frame;
}

QLabel* MakeResultBox(QWidget* parent, const char* name, const QRect& geometry, bool bold) {
    auto* box = new ResultBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setTextFormat(Qt::PlainText);
    box->setText(QStringLiteral("0"));
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(1);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFont(PGothic(16, bold));
    box->setFocusPolicy(Qt::NoFocus);
    box->setTextInteractionFlags(Qt::NoTextInteraction);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Window, ButtonFace());
    pal.setColor(QPalette::WindowText, WindowText());
    box->setPalette(pal);
    box->setAutoFillBackground(true);
    box->setGeometry(geometry);
    box->setFixedSize(geometry.size());
    return box;
}

void MakeExclusiveGroup(QObject* owner, const QList<QRadioButton*>& buttons) {
    auto* group = new QButtonGroup(owner);
    group->setExclusive(true);
    for (QRadioButton* b : buttons) group->addButton(b);
}

}  // namespace zanvoro
