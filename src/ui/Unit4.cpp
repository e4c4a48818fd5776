// The batch window: its controls, tables in by paste and file, out by copy and save, and
// computing in slices that keep the window answering.
#include "Unit4.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "BatchFiles.h"
#include "BatchTableModel.h"
#include "Dialogs.h"
#include "Report.h"
#include "Controls.h"
#include "ScalableIcons.h"
#include "ScreenFit.h"
#include "WindowLook.h"

using namespace zanvoro;
using namespace Qt::StringLiterals;
namespace captions = costmodel::captions;
namespace text = forms::batchtext;
namespace batchlayout = forms::batchlayout;

namespace {

// The table hands its context menu to the window.
class BatchGrid final : public QTableView {
public:
    using QTableView::QTableView;
    std::function<void(const QPoint&)> menuHook;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (menuHook) menuHook(event->globalPos());
        event->accept();
    }
};

std::string Utf8(const QString& s) { return s.toStdString(); }


int Clamped(std::size_t n) { return int(std::min<std::size_t>(n, INT_MAX)); }

const forms::Window& Description() {
    static const forms::Window window = forms::BatchWindow();
    return window;
}

const forms::Control& Described(const char* name) { return Description().control(name); }

QGroupBox* MakeFrame(QWidget* parent, const char* name) {
    const forms::Control& c = Described(name);
    QGroupBox* frame =
        MakeCaptionFrame(parent, name, Text(c.caption), {}, FontOf(c.font), ColourOf(c.colour));
    frame->setAccessibleName(Text(c.caption));
    return frame;
}

template <class Button>
Button* Make(QWidget* parent, const char* name) {
    const forms::Control& c = Described(name);
    auto* button =
        MakeButton<Button>(parent, name, Text(c.caption), {}, FontOf(c.font), ColourOf(c.colour));
    button->setChecked(c.checked);
    return button;
}

// The frame's caption band stays clear of what its layout holds.
template <class Layout>
Layout* FrameLayout(QGroupBox* frame) {
    auto* layout = new Layout(frame);
    layout->setContentsMargins(batchlayout::kFrameSide, QFontMetrics(frame->font()).height() + 2,
                               batchlayout::kFrameSide, batchlayout::kFrameBottom);
    layout->setSpacing(batchlayout::kSpacing);
    return layout;
}

QPushButton* MakeCommand(QWidget* parent, const char* name, std::string_view tip) {
    auto* button = Make<QPushButton>(parent, name);
    button->setMinimumSize(batchlayout::kCommand.width, batchlayout::kCommand.height);
    button->setToolTip(Text(tip));
    button->setAccessibleName(button->text());
    button->setAccessibleDescription(Text(tip));
    return button;
}

}  // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
    const forms::Window& window = Description();
    setObjectName(Text(window.name));
    setWindowTitle(Text(window.title));
    setWindowIcon(ScalableProgramIcon());
    ApplyWindowColours(this, ColourOf(window.background));
    setFont(FontOf(window.font));
    setAcceptDrops(true);

    CreateControls();
    ShowSettings();
    InstallKeys();
    ConnectHandlers();
    ShowProgress();
    form.SetView(this);
    resize(window.client.width, window.client.height);
}

TForm4::~TForm4() {
    form.SetView(nullptr);
    sliceTimer->stop();
    settleTimer->stop();
    auto* grid = static_cast<BatchGrid*>(Grid1);
    grid->menuHook = nullptr;
    // The model reads the layer's rows, which go before ~QWidget deletes the table.
    Grid1->setModel(nullptr);
    delete Model;
}

void TForm4::CreateControls() {
    // Made in tab order, so that Qt's own order (which the table's Tab follows) is the keys'.
    GroupBox1 = MakeFrame(this, "GroupBox1");
    RadioButton1 = Make<QRadioButton>(GroupBox1, "RadioButton1");
    RadioButton2 = Make<QRadioButton>(GroupBox1, "RadioButton2");
    auto* directions = FrameLayout<QVBoxLayout>(GroupBox1);
    directions->addWidget(RadioButton1);
    directions->addWidget(RadioButton2);

    RadioGroup1 = MakeFrame(this, "RadioGroup1");
    rb1 = Make<QRadioButton>(RadioGroup1, "rb1");
    rb2 = Make<QRadioButton>(RadioGroup1, "rb2");
    rb3 = Make<QRadioButton>(RadioGroup1, "rb3");
    auto* works = FrameLayout<QHBoxLayout>(RadioGroup1);
    for (QRadioButton* rb : {rb1, rb2, rb3}) works->addWidget(rb);

    const auto edit = [](QWidget* parent, const char* name) {
        const forms::Control& c = Described(name);
        const forms::Size size = batchlayout::kExtraEdit;
        QLineEdit* made = MakeEdit(parent, name, {0, 0, size.width, size.height}, FontOf(c.font),
                                   ColourOf(c.colour));
        made->setText(Text(c.caption));
        made->setEnabled(c.enabled);
        made->setFixedWidth(size.width);
        return made;
    };
    const auto label = [](QWidget* parent, const char* name) {
        const forms::Control& c = Described(name);
        return MakeLabel(parent, name, Text(c.caption), {}, FontOf(c.font), ColourOf(c.colour));
    };
    GroupBox2 = MakeFrame(this, "GroupBox2");
    CheckBox1 = Make<QCheckBox>(GroupBox2, "CheckBox1");
    Edit2 = edit(GroupBox2, "Edit2");
    Label1 = label(GroupBox2, "Label1");
    CheckBox2 = Make<QCheckBox>(GroupBox2, "CheckBox2");
    Edit3 = edit(GroupBox2, "Edit3");
    Label2 = label(GroupBox2, "Label2");
    CheckBox3 = Make<QCheckBox>(GroupBox2, "CheckBox3");
    // Each extra amount's edit by the box that turns it on, as the window layer names it.
    for (const auto& [field, name] : {std::pair{Edit2, "Edit2"}, std::pair{Edit3, "Edit3"}})
        field->setAccessibleName(Text(forms::DescribedName(Description(), Description().find(name))));
    auto* expenses = FrameLayout<QGridLayout>(GroupBox2);
    expenses->addWidget(CheckBox1, 0, 0);
    expenses->addWidget(Edit2, 0, 1);
    expenses->addWidget(Label1, 0, 2, Qt::AlignVCenter);
    expenses->addWidget(CheckBox2, 1, 0);
    expenses->addWidget(Edit3, 1, 1);
    expenses->addWidget(Label2, 1, 2, Qt::AlignVCenter);
    expenses->addWidget(CheckBox3, 2, 0, 1, 3);

    Button1 = MakeCommand(this, "Button1", text::kPasteTip);
    Button2 = MakeCommand(this, "Button2", text::kOpenTip);
    Button3 = MakeCommand(this, "Button3", text::kSaveTip);
    Button4 = MakeCommand(this, "Button4", text::kCopyTip);

    const forms::Control& table = Described("Grid1");
    const QFont tableFont = FontOf(table.font);
    auto* grid = new BatchGrid(this);
    Grid1 = grid;
    Grid1->setObjectName(Text(table.name));
    Grid1->setAccessibleName(Text(table.caption));
    Grid1->setFont(tableFont);
    Model = new BatchTableModel(form.Rows(), Grid1);
    Grid1->setModel(Model);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid1->setTabKeyNavigation(false);
    Grid1->setWordWrap(false);
    Grid1->setFocusPolicy(Qt::StrongFocus);
    QHeaderView* columns = Grid1->horizontalHeader();
    columns->setObjectName(u"Grid1Columns"_s);
    columns->setAccessibleName(Text(text::kColumnHeads));
    columns->setFont(tableFont);
    columns->setStretchLastSection(true);
    // The corner button selects every cell.
    if (auto* corner = Grid1->findChild<QAbstractButton*>())
        corner->setAccessibleName(Text(text::kSelectAll));
    QHeaderView* rows = Grid1->verticalHeader();
    rows->setObjectName(u"Grid1Rows"_s);
    rows->setAccessibleName(Text(text::kRowNumbers));
    rows->setFont(tableFont);
    // A million rows of one fixed height: no row is ever measured.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(QFontMetrics(Grid1->font()).height() + 6);

    Label3 = label(this, "Label3");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setAccessibleName(Text(Described("ProgressBar1").caption));
    ProgressBar1->setFixedWidth(batchlayout::kProgressWidth);
    Button5 = MakeCommand(this, "Button5", text::kCancelTip);

    auto* settings = new QHBoxLayout;
    settings->addWidget(GroupBox1);
    settings->addWidget(RadioGroup1, 0, Qt::AlignTop);
    settings->addWidget(GroupBox2);
    settings->addStretch(1);
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {Button1, Button2, Button3, Button4}) commands->addWidget(b);
    commands->addStretch(1);
    auto* status = new QHBoxLayout;
    status->addWidget(Label3, 1);
    status->addWidget(ProgressBar1);
    status->addWidget(Button5);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(batchlayout::kMargin, batchlayout::kMargin, batchlayout::kMargin, batchlayout::kMargin);
    layout->setSpacing(batchlayout::kSpacing);
    layout->addLayout(settings);
    layout->addLayout(commands);
    layout->addWidget(Grid1, 1);
    layout->addLayout(status);

    sliceTimer = new QTimer(this);
    sliceTimer->setInterval(0);
    settleTimer = new QTimer(this);
    settleTimer->setSingleShot(true);
}

// Every key the window answers, and its tab and arrow orders.
void TForm4::InstallKeys() {
    QList<QList<QWidget*>> orders;
    for (const std::vector<std::string>& names : Description().tabOrders) {
        orders.append(QList<QWidget*>());
        for (const std::string& name : names) orders.back().append(findChild<QWidget*>(Text(name)));
    }
    keys = std::make_unique<WindowKeys>(this, nullptr, orders);
    // The keys' arrows move between controls; the table keeps its own for its cells (and the
    // keys a table has: Page Up, Home, Ctrl+A).
    keys->keepOwnKeys(Grid1);

    // In an edit, copy and paste are the edit's own.
    const auto inEdit = [this] { return qobject_cast<QLineEdit*>(focusWidget()); };
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::function<void()> action;
    } shortcuts[] = {
        {Qt::Key_V, Qt::ControlModifier,
         [this, inEdit] {
             if (QLineEdit* edit = inEdit())
                 edit->paste();
             else
                 Button1Click();
         }},
        {Qt::Key_C, Qt::ControlModifier,
         [this, inEdit] {
             if (QLineEdit* edit = inEdit())
                 edit->copy();
             else if (Button4->isEnabled())
                 CopySelection();
         }},
        {Qt::Key_O, Qt::ControlModifier, [this] { Button2Click(); }},
        {Qt::Key_S, Qt::ControlModifier,
         [this] {
             if (Button3->isEnabled()) Button3Click();
         }},
        {Qt::Key_Escape, Qt::NoModifier,
         [this] {
             if (Computing()) Button5Click();
         }},
    };
    for (const auto& s : shortcuts) keys->addShortcut(s.key, s.modifiers, s.action);

    auto* grid = static_cast<BatchGrid*>(Grid1);
    grid->menuHook = [this](const QPoint& at) { RunHandler([&] { GridMenu(at); }); };
}

void TForm4::GridMenu(const QPoint& at) {
    QMenu menu(this);
    menu.setFont(PGothic(12));
    ApplyWindowColours(&menu, ButtonFace());
    QAction* paste = menu.addAction(Text(text::MenuEntry(text::kPaste, "Ctrl+V")));
    QAction* copy = menu.addAction(Text(text::MenuEntry(text::kCopy, "Ctrl+C")));
    copy->setEnabled(Button4->isEnabled());
    menu.addSeparator();
    QAction* open = menu.addAction(Text(text::MenuEntry(text::kOpen, "Ctrl+O")));
    QAction* save = menu.addAction(Text(text::MenuEntry(text::kSave, "Ctrl+S")));
    save->setEnabled(Button3->isEnabled());
    const QAction* chosen = menu.exec(at);
    if (chosen == paste) Button1Click();
    if (chosen == copy) CopySelection();
    if (chosen == open) Button2Click();
    if (chosen == save) Button3Click();
}

void TForm4::ConnectHandlers() {
    links.on(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    links.on(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    links.on(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    links.on(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    links.on(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    // Each control tells the layer what it now holds. A choice takes effect at once (both
    // buttons of a switch count once), typing when it pauses.
    const auto chosen = [this](QAbstractButton* b, std::function<void()> take) {
        links.on(b, &QAbstractButton::toggled, this, [this, b, take = std::move(take)] {
            if (b->isChecked()) take();
            settleTimer->start(0);
        });
    };
    chosen(RadioButton1, [this] { form.SetDirection(costbatch::Direction::Reverse); });
    chosen(RadioButton2, [this] { form.SetDirection(costbatch::Direction::Forward); });
    const std::array<QRadioButton*, 3> works{rb1, rb2, rb3};
    for (std::size_t i = 0; i < works.size(); ++i)
        chosen(works[i], [this, i] { form.SetWork(captions::kWorkNames[i].work); });
    const auto checked = [this](QCheckBox* box, std::function<void(bool)> take) {
        links.on(box, &QCheckBox::toggled, this, [this, box, take = std::move(take)] {
            take(box->isChecked());
            ShowEnabling();
            settleTimer->start(0);
        });
    };
    checked(CheckBox1, [this](bool on) { form.SetExtraInNet(on); });
    checked(CheckBox2, [this](bool on) { form.SetExtraNoOverhead(on); });
    checked(CheckBox3, [this](bool on) { form.SetNoCommonTemp(on); });
    const auto typed = [this](QLineEdit* edit, std::function<void(std::string)> take) {
        links.on(edit, &QLineEdit::textChanged, this, [this, edit, take = std::move(take)] {
            take(Utf8(edit->text()));
            settleTimer->start(int(forms::BatchForm::kTypingPause.count()));
        });
    };
    typed(Edit2, [this](std::string t) { form.SetExtraInNetText(std::move(t)); });
    typed(Edit3, [this](std::string t) { form.SetExtraNoOverheadText(std::move(t)); });
    links.on(settleTimer, &QTimer::timeout, this, [this] { form.ApplySettings(); });
    links.on(sliceTimer, &QTimer::timeout, this, [this] { form.ComputeSlice(); });
}

void TForm4::TakeSettingsFrom(const costbatch::Settings& s) { form.TakeSettings(s); }

bool TForm4::Computing() const { return form.Computing(); }

bool TForm4::HasRows() const { return form.HasRows(); }

void TForm4::PasteText(const QString& pasted) { form.Paste(Utf8(pasted)); }

void TForm4::OpenFile(const QString& path) { form.Load(ReadTableFile(path)); }

void TForm4::Slicing(bool on) {
    if (on)
        sliceTimer->start();
    else
        sliceTimer->stop();
}

// The controls as the layer holds the settings; each already so stays untouched, so that
// typing keeps its place.
void TForm4::ShowSettings() {
    const costbatch::Settings s = form.Settings();
    (s.direction == costbatch::Direction::Forward ? RadioButton2 : RadioButton1)->setChecked(true);
    for (std::size_t i = 0; i < captions::kWorkNames.size(); ++i)
        if (captions::kWorkNames[i].work == s.work)
            std::array<QRadioButton*, 3>{rb1, rb2, rb3}[i]->setChecked(true);
    if (Edit2->text() != Text(s.extraInNetText)) Edit2->setText(Text(s.extraInNetText));
    if (Edit3->text() != Text(s.extraNoOverheadText)) Edit3->setText(Text(s.extraNoOverheadText));
    CheckBox1->setChecked(s.extraInNet);
    CheckBox2->setChecked(s.extraNoOverhead);
    CheckBox3->setChecked(s.noCommonTemp);
    ShowEnabling();
}

void TForm4::ShowEnabling() {
    Edit2->setEnabled(form.ExtraInNetEditable());
    Edit3->setEnabled(form.ExtraNoOverheadEditable());
    GroupBox1->setEnabled(form.DirectionEnabled());
    GroupBox1->setToolTip(Text(form.DirectionTip()));
}

void TForm4::ShowProgress() {
    const forms::BatchProgress p = form.Progress();
    // 取消 goes when computing ends; the keyboard goes on in the table.
    if (!p.cancelVisible && Button5->hasFocus()) Grid1->setFocus(Qt::OtherFocusReason);
    ProgressBar1->setVisible(p.progressVisible);
    Button5->setVisible(p.cancelVisible);
    if (p.progressVisible) {
        ProgressBar1->setMaximum(Clamped(p.progressMaximum));
        ProgressBar1->setValue(Clamped(p.progressValue));
    }
    Button3->setEnabled(p.saveEnabled);
    Button4->setEnabled(p.copyEnabled);
    Label3->setText(Text(p.status));
}

void TForm4::FitColumns() {
    const QFontMetrics cells(Grid1->font()), heads(Grid1->horizontalHeader()->font());
    const auto width = [](const QFontMetrics& metrics) {
        return [&metrics](std::string_view text) { return metrics.horizontalAdvance(Text(text)); };
    };
    const std::vector<int> widths = forms::ColumnWidths(form.Rows(), width(cells), width(heads));
    for (std::size_t c = 0; c < widths.size(); ++c)
        Grid1->horizontalHeader()->resizeSection(int(c), widths[c]);
}

void TForm4::CopySelection() {
    if (!HasRows()) return;
    std::vector<forms::CellRange> ranges;
    for (const QItemSelectionRange& r : Grid1->selectionModel()->selection())
        ranges.push_back({std::size_t(r.top()), std::size_t(r.bottom()), std::size_t(r.left()),
                          std::size_t(r.right())});
    QGuiApplication::clipboard()->setText(Text(forms::SelectionText(form.Rows(), ranges)));
}

void TForm4::Button1Click() { PasteText(QGuiApplication::clipboard()->text()); }

void TForm4::Button2Click() {
    if (const QString path = ChooseOpenFile(this); !path.isEmpty()) OpenFile(path);
}

void TForm4::Button3Click() {
    if (const auto target = ChooseSaveFile(this))
        WriteTableFile(form.Rows(), target->path, target->format, target->encoding);
}

void TForm4::Button4Click() { CopySelection(); }

void TForm4::Button5Click() { form.Cancel(); }

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous() || shownBefore) return;
    shownBefore = true;
    findChild<QWidget*>(Text(Description().firstFocus))->setFocus(Qt::OtherFocusReason);
}

void TForm4::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if ((mime->hasUrls() && mime->urls().size() == 1 && mime->urls()[0].isLocalFile()) ||
        mime->hasText())
        event->acceptProposedAction();
}

void TForm4::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    event->acceptProposedAction();
    RunHandler([&] {
        if (mime->hasUrls() && mime->urls().size() == 1 && mime->urls()[0].isLocalFile())
            OpenFile(mime->urls()[0].toLocalFile());
        else if (mime->hasText())
            PasteText(mime->text());
    });
}

void OpenBatchWindow(QWidget* from, const costbatch::Settings& settings) {
    static QPointer<TForm4> form;
    QWidget* opener = from ? from->window() : nullptr;
    if (!form) {
        form = new TForm4;
        // The windows of the program live until it ends; this one has no owner among them.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete form.data(); });
        if (opener) PlaceOnScreen(form, opener->frameGeometry().topLeft() + QPoint(40, 40));
        form->TakeSettingsFrom(settings);
    } else if (!form->HasRows()) {
        form->TakeSettingsFrom(settings);
    }
    // Over a modal window (the calculator) it is modal in its turn, so it can be used at all;
    // Qt's modality changes only while the window is hidden.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality =
        modal && modal != form ? Qt::ApplicationModal : Qt::NonModal;
    if (form->windowModality() != modality) {
        form->hide();
        form->setWindowModality(modality);
    }
    form->show();
    form->raise();
    form->activateWindow();
}
