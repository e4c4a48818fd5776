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
#include <QLocale>
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
#include <chrono>
#include <climits>
#include <functional>
#include <string>
#include <utility>

#include "BatchFiles.h"
#include "BatchTableModel.h"
#include "Dialogs.h"
#include "ScalableIcons.h"
#include "ScreenFit.h"
#include "WindowLook.h"

using namespace zanvoro;
using namespace Qt::StringLiterals;

namespace {

// Each slice of computing ends after this, so that the window answers in between.
constexpr std::chrono::milliseconds kSlice{40};
// Settings typed into an edit are taken once typing pauses.
constexpr int kTypingPauseMs = 300;

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

QString Count(std::size_t n) { return QLocale(QLocale::Japanese).toString(qulonglong(n)); }

std::string Utf8(const QString& text) { return text.toStdString(); }

// Settings that give every row the same result: extra-amount texts count only when used.
bool SameSettings(const costbatch::Settings& a, const costbatch::Settings& b) {
    return a.direction == b.direction && a.work == b.work && a.noCommonTemp == b.noCommonTemp &&
           a.extraInNet == b.extraInNet && a.extraNoOverhead == b.extraNoOverhead &&
           (!a.extraInNet || a.extraInNetText == b.extraInNetText) &&
           (!a.extraNoOverhead || a.extraNoOverheadText == b.extraNoOverheadText);
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption) {
    const QFont font = PGothic(16);
    QGroupBox* frame = MakeCaptionFrame(parent, name, caption, {}, font, kBlue);
    frame->setAccessibleName(caption);
    return frame;
}

// The frame's caption band stays clear of what its layout holds.
template <class Layout>
Layout* FrameLayout(QGroupBox* frame) {
    auto* layout = new Layout(frame);
    layout->setContentsMargins(10, QFontMetrics(frame->font()).height() + 2, 10, 8);
    layout->setSpacing(6);
    return layout;
}

QPushButton* MakeCommand(QWidget* parent, const char* name, const QString& caption,
                         const QString& tip) {
    auto* button = MakeButton<QPushButton>(parent, name, caption, {}, PGothic(12), WindowText());
    button->setMinimumSize(88, 25);
    button->setToolTip(tip);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(tip);
    return button;
}

}  // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(u"Form4"_s);
    setWindowTitle(u"一括計算"_s);
    setWindowIcon(ScalableProgramIcon());
    ApplyWindowColours(this, ButtonFace());
    setFont(PGothic(12));
    setAcceptDrops(true);

    CreateControls();
    InstallKeys();
    ConnectHandlers();
    ShowProgress();
    resize(960, 600);
}

TForm4::~TForm4() {
    sliceTimer->stop();
    settleTimer->stop();
    auto* grid = static_cast<BatchGrid*>(Grid1);
    grid->menuHook = nullptr;
}

void TForm4::CreateControls() {
    // Made in tab order, so that Qt's own order (which the table's Tab follows) is the keys'.
    GroupBox1 = MakeFrame(this, "GroupBox1", u"計算の向き"_s);
    RadioButton1 = MakeButton<QRadioButton>(GroupBox1, "RadioButton1",
                                            u"希望工事費 (税込) → 内訳"_s, {}, PGothic(12), kBlack);
    RadioButton2 = MakeButton<QRadioButton>(GroupBox1, "RadioButton2", u"希望直接工事費 → 内訳"_s,
                                            {}, PGothic(12), kBlack);
    RadioButton1->setChecked(true);
    auto* directions = FrameLayout<QVBoxLayout>(GroupBox1);
    directions->addWidget(RadioButton1);
    directions->addWidget(RadioButton2);

    RadioGroup1 = MakeFrame(this, "RadioGroup1", u"工事種類"_s);
    rb1 =
        MakeButton<QRadioButton>(RadioGroup1, "rb1", u"道路維持"_s, {}, PGothic(16), WindowText());
    rb2 = MakeButton<QRadioButton>(RadioGroup1, "rb2", u"新営"_s, {}, PGothic(16), WindowText());
    rb3 = MakeButton<QRadioButton>(RadioGroup1, "rb3", u"改修"_s, {}, PGothic(16), WindowText());
    rb1->setChecked(true);
    auto* works = FrameLayout<QHBoxLayout>(RadioGroup1);
    for (QRadioButton* rb : {rb1, rb2, rb3}) works->addWidget(rb);

    GroupBox2 = MakeFrame(this, "GroupBox2", u"経費設定"_s);
    CheckBox1 = MakeButton<QCheckBox>(GroupBox2, "CheckBox1", u"直工だけに含まない金額"_s, {},
                                      PGothic(12), kBlack);
    Edit2 = MakeEdit(GroupBox2, "Edit2", {0, 0, 90, 24}, PGothic(16, true), kBlack);
    Label1 = MakeLabel(GroupBox2, "Label1", u"万円"_s, {}, PGothic(13), kBlack);
    CheckBox2 = MakeButton<QCheckBox>(GroupBox2, "CheckBox2", u"全経費を掛けない金額"_s, {},
                                      PGothic(12), kBlack);
    Edit3 = MakeEdit(GroupBox2, "Edit3", {0, 0, 90, 24}, PGothic(16, true), kBlack);
    Label2 = MakeLabel(GroupBox2, "Label2", u"万円"_s, {}, PGothic(13), kBlack);
    CheckBox3 = MakeButton<QCheckBox>(GroupBox2, "CheckBox3", u"共通仮設費をみない"_s, {},
                                      PGothic(12), kBlack);
    for (QLineEdit* edit : {Edit2, Edit3}) {
        edit->setFixedWidth(90);
        edit->setEnabled(false);
    }
    Edit2->setAccessibleName(CheckBox1->text());
    Edit3->setAccessibleName(CheckBox2->text());
    auto* expenses = FrameLayout<QGridLayout>(GroupBox2);
    expenses->addWidget(CheckBox1, 0, 0);
    expenses->addWidget(Edit2, 0, 1);
    expenses->addWidget(Label1, 0, 2, Qt::AlignVCenter);
    expenses->addWidget(CheckBox2, 1, 0);
    expenses->addWidget(Edit3, 1, 1);
    expenses->addWidget(Label2, 1, 2, Qt::AlignVCenter);
    expenses->addWidget(CheckBox3, 2, 0, 1, 3);

    Button1 = MakeCommand(this, "Button1", u"貼り付け"_s,
                          u"表計算ソフトでコピーした表を貼り付けます (Ctrl+V)"_s);
    Button2 = MakeCommand(this, "Button2", u"開く…"_s, u"CSV・TSV ファイルを開きます (Ctrl+O)"_s);
    Button3 = MakeCommand(this, "Button3", u"保存…"_s,
                          u"すべての行を CSV か TSV のファイルに保存します (Ctrl+S)"_s);
    Button4 =
        MakeCommand(this, "Button4", u"コピー"_s,
                    u"選択した範囲 (選択がなければ表全体) を見出し付きでコピーします (Ctrl+C)"_s);

    auto* grid = new BatchGrid(this);
    Grid1 = grid;
    Grid1->setObjectName(u"Grid1"_s);
    Grid1->setAccessibleName(u"一括計算の表"_s);
    Grid1->setFont(PGothic(12));
    Model = new BatchTableModel(Grid1);
    Grid1->setModel(Model);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid1->setTabKeyNavigation(false);
    Grid1->setWordWrap(false);
    Grid1->setFocusPolicy(Qt::StrongFocus);
    QHeaderView* columns = Grid1->horizontalHeader();
    columns->setObjectName(u"Grid1Columns"_s);
    columns->setAccessibleName(u"列見出し"_s);
    columns->setFont(PGothic(12));
    columns->setStretchLastSection(true);
    // The corner button selects every cell.
    if (auto* corner = Grid1->findChild<QAbstractButton*>())
        corner->setAccessibleName(u"すべて選択"_s);
    QHeaderView* rows = Grid1->verticalHeader();
    rows->setObjectName(u"Grid1Rows"_s);
    rows->setAccessibleName(u"行番号"_s);
    rows->setFont(PGothic(12));
    // A million rows of one fixed height: no row is ever measured.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(QFontMetrics(Grid1->font()).height() + 6);

    Label3 = MakeLabel(this, "Label3", {}, {}, PGothic(12), WindowText());
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setAccessibleName(u"計算の進み具合"_s);
    ProgressBar1->setFixedWidth(240);
    Button5 = MakeCommand(this, "Button5", u"取消"_s,
                          u"計算をやめます。計算の済んだ行はそのまま残ります (Esc)"_s);

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
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
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
    const QList<QList<QWidget*>> orders = {
        {GroupBox1, RadioGroup1, GroupBox2, Button1, Button2, Button3, Button4, Grid1, Button5},
        {RadioButton1, RadioButton2},
        {rb1, rb2, rb3},
        {CheckBox1, Edit2, CheckBox2, Edit3, CheckBox3}};
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
    QAction* paste = menu.addAction(u"貼り付け\tCtrl+V"_s);
    QAction* copy = menu.addAction(u"コピー\tCtrl+C"_s);
    copy->setEnabled(Button4->isEnabled());
    menu.addSeparator();
    QAction* open = menu.addAction(u"開く…\tCtrl+O"_s);
    QAction* save = menu.addAction(u"保存…\tCtrl+S"_s);
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
    links.on(CheckBox1, &QCheckBox::toggled, this,
             [this] { Edit2->setEnabled(CheckBox1->isChecked()); });
    links.on(CheckBox2, &QCheckBox::toggled, this,
             [this] { Edit3->setEnabled(CheckBox2->isChecked()); });
    // A choice takes effect at once (both buttons of a switch count once), typing when it pauses.
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             RadioButton1, RadioButton2, rb1, rb2, rb3, CheckBox1, CheckBox2, CheckBox3})
        links.on(b, &QAbstractButton::toggled, this, [this] { settleTimer->start(0); });
    for (QLineEdit* edit : {Edit2, Edit3})
        links.on(edit, &QLineEdit::textChanged, this,
                 [this] { settleTimer->start(kTypingPauseMs); });
    links.on(settleTimer, &QTimer::timeout, this, [this] { SettingsChange(); });
    links.on(sliceTimer, &QTimer::timeout, this, [this] { ComputeSlice(); });
}

void TForm4::TakeSettingsFrom(const QWidget* window) {
    // Only a calculating window, once built, has settings to take.
    const auto* from = dynamic_cast<const CalculatorWindow*>(window);
    if (!from || !from->rb1) return;
    (window->objectName() == u"Form3"_s ? RadioButton2 : RadioButton1)->setChecked(true);
    (from->rb2->isChecked() ? rb2 : from->rb3->isChecked() ? rb3 : rb1)->setChecked(true);
    Edit2->setText(from->Edit2->text());
    Edit3->setText(from->Edit3->text());
    CheckBox1->setChecked(from->CheckBox1->isChecked());
    CheckBox2->setChecked(from->CheckBox2->isChecked());
    CheckBox3->setChecked(from->CheckBox3->isChecked());
}

costbatch::Settings TForm4::CurrentSettings() const {
    costbatch::Settings s;
    s.direction =
        RadioButton2->isChecked() ? costbatch::Direction::Forward : costbatch::Direction::Reverse;
    s.work = rb2->isChecked()   ? costmodel::WorkType::NewBuilding
             : rb3->isChecked() ? costmodel::WorkType::Renovation
                                : costmodel::WorkType::RoadMaintenance;
    s.extraInNet = CheckBox1->isChecked();
    s.extraInNetText = Utf8(Edit2->text());
    s.extraNoOverhead = CheckBox2->isChecked();
    s.extraNoOverheadText = Utf8(Edit3->text());
    s.noCommonTemp = CheckBox3->isChecked();
    return s;
}

bool TForm4::Computing() const { return sliceTimer->isActive(); }

bool TForm4::HasRows() const { return Model->size() > 0; }

void TForm4::PasteText(const QString& text) {
    Load(costbatch::ParseTable(Utf8(text), costbatch::Format::Tsv));
}

void TForm4::OpenFile(const QString& path) { Load(ReadTableFile(path)); }

void TForm4::Load(costbatch::Table table) {
    // Refused as a whole before anything shown changes.
    auto batch = std::make_unique<costbatch::Batch>(table, CurrentSettings());
    input = std::move(table);
    Start(std::move(batch));
}

void TForm4::SettingsChange() {
    const costbatch::Settings now = CurrentSettings();
    if (!input || (applied && SameSettings(*applied, now))) return;
    Start(std::make_unique<costbatch::Batch>(*input, now));
}

void TForm4::Start(std::unique_ptr<costbatch::Batch> batch) {
    sliceTimer->stop();
    // A caption row names the amount's column, and so the direction: the buttons show it.
    const bool captioned = batch->hasCaptionRow();
    if (captioned)
        (batch->direction() == costbatch::Direction::Forward ? RadioButton2 : RadioButton1)
            ->setChecked(true);
    GroupBox1->setEnabled(!captioned);
    GroupBox1->setToolTip(captioned ? u"向きは表の見出し行 (金額の列) で決まります"_s : QString());
    applied = CurrentSettings();
    Model->setBatch(std::move(batch));
    FitColumns();
    ComputeSlice();
}

void TForm4::ComputeSlice() {
    if (Model->computeFor(kSlice))
        sliceTimer->stop();
    else if (!sliceTimer->isActive())
        sliceTimer->start();
    ShowProgress();
}

void TForm4::ShowProgress() {
    const bool running = Computing();
    const std::size_t total = Model->size(), done = Model->computed();
    // 取消 goes when computing ends; the keyboard goes on in the table.
    if (!running && Button5->hasFocus()) Grid1->setFocus(Qt::OtherFocusReason);
    ProgressBar1->setVisible(running);
    Button5->setVisible(running);
    if (running) {
        ProgressBar1->setMaximum(int(std::min<std::size_t>(total, INT_MAX)));
        ProgressBar1->setValue(int(std::min<std::size_t>(done, INT_MAX)));
    }
    Button3->setEnabled(HasRows() && !running);
    Button4->setEnabled(HasRows() && !running);

    const QString errors =
        Model->failed() ? u"、うちエラー %1 行"_s.arg(Count(Model->failed())) : QString();
    if (!HasRows())
        Label3->setText(u"表を貼り付けるか (Ctrl+V)、CSV・TSV ファイルを開いてください"_s);
    else if (running)
        Label3->setText(u"計算中… %1 / %2 行"_s.arg(Count(done), Count(total)));
    else if (Model->cancelled())
        Label3->setText(
            u"取消: %1 行のうち %2 行を計算しました%3"_s.arg(Count(total), Count(done), errors));
    else
        Label3->setText(u"%1 行%2"_s.arg(Count(total), errors));
}

void TForm4::FitColumns() {
    const QFontMetrics cells(Grid1->font()), captions(Grid1->horizontalHeader()->font());
    const int figure = cells.horizontalAdvance(u"000,000,000.0"_s) + 12;
    const int columns = Model->columnCount();
    const int inputs = columns - int(costmodel::captions::kFigures.size()) - 1;
    const int sample = std::min(Model->rowCount(), 100);
    for (int c = 0; c < columns; ++c) {
        int width =
            captions.horizontalAdvance(Model->headerData(c, Qt::Horizontal).toString()) + 16;
        if (c < inputs) {
            for (int r = 0; r < sample; ++r)
                width = std::max(
                    width,
                    cells.horizontalAdvance(Model->index(r, c).data().toString().left(40)) + 12);
            width = std::min(width, 240);
        } else if (c < columns - 1) {
            width = std::max(width, figure);
        }
        Grid1->horizontalHeader()->resizeSection(c, width);
    }
}

void TForm4::CopySelection() {
    if (!HasRows()) return;
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(SelectionText(*Model, Grid1->selectionModel()->selection())));
}

void TForm4::Button1Click() { PasteText(QGuiApplication::clipboard()->text()); }

void TForm4::Button2Click() {
    if (const QString path = ChooseOpenFile(this); !path.isEmpty()) OpenFile(path);
}

void TForm4::Button3Click() {
    if (const auto target = ChooseSaveFile(this))
        WriteTableFile(*Model, target->path, target->format, target->encoding);
}

void TForm4::Button4Click() { CopySelection(); }

void TForm4::Button5Click() {
    sliceTimer->stop();
    Model->cancel();
    ShowProgress();
}

void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous() || shownBefore) return;
    shownBefore = true;
    Grid1->setFocus(Qt::OtherFocusReason);
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

void OpenBatchWindow(QWidget* from) {
    static QPointer<TForm4> form;
    QWidget* opener = from ? from->window() : nullptr;
    if (!form) {
        form = new TForm4;
        // The windows of the program live until it ends; this one has no owner among them.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete form.data(); });
        if (opener) PlaceOnScreen(form, opener->frameGeometry().topLeft() + QPoint(40, 40));
        form->TakeSettingsFrom(opener);
    } else if (!form->HasRows()) {
        form->TakeSettingsFrom(opener);
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
