// The batch window "一括計算": many estimates at once, pasted or read from a file.
#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

#include "BatchForm.h"
#include "Controls.h"
#include "HandlerLinks.h"
#include "WindowKeys.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;

namespace zanvoro {
class BatchTableModel;
}

class TForm4 : public QWidget, private forms::BatchView {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // Direction, work category and expense settings as a calculating window's controls have
    // them: the calculator window calculates forwards, the main window searches.
    void TakeSettingsFrom(const costbatch::Settings& settings);

    // A table in, replacing the one shown, or an error and nothing changed. Pasted text is
    // tab-separated as a spreadsheet copies it; a file's encoding and format are recognised.
    void PasteText(const QString& text);
    void OpenFile(const QString& path);
    // The selected cells (all when none is selected) with their captions, tab-separated.
    void CopySelection();

    bool Computing() const;
    bool HasRows() const;

    void Button1Click();  // 貼り付け
    void Button2Click();  // 開く…
    void Button3Click();  // 保存…
    void Button4Click();  // コピー
    void Button5Click();  // 取消

    QGroupBox* GroupBox1;  // direction
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QGroupBox* RadioGroup1;  // work category
    QRadioButton* rb1;
    QRadioButton* rb2;
    QRadioButton* rb3;
    QGroupBox* GroupBox2;  // expense settings
    QCheckBox* CheckBox1;
    QLineEdit* Edit2;
    QLabel* Label1;
    QCheckBox* CheckBox2;
    QLineEdit* Edit3;
    QLabel* Label2;
    QCheckBox* CheckBox3;

    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QTableView* Grid1;
    QLabel* Label3;  // what the table holds, or how far computing has come
    QProgressBar* ProgressBar1;
    QPushButton* Button5;

    zanvoro::BatchTableModel* Model;

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateControls();
    void InstallKeys();
    void ConnectHandlers();
    void GridMenu(const QPoint& at);

    // What the layer asks shown; final, as the constructor shows the settings and progress.
    void ShowSettings() final;
    void FitColumns() final;
    void Slicing(bool on) final;
    void ShowProgress() final;
    void ShowEnabling();

    // What the window does and says; the controls show it.
    forms::BatchForm form;
    QTimer* sliceTimer;
    QTimer* settleTimer;
    bool shownBefore = false;
    // Both go before ~QWidget deletes the controls they reach.
    zanvoro::HandlerLinks links;
    std::unique_ptr<zanvoro::WindowKeys> keys;
};

// Opens the batch window from a calculating window (Ctrl+B, "一括計算…"): made on first use,
// with that window's settings while it holds no rows. Over a modal window it opens modally
// itself; otherwise it stays beside the others.
void OpenBatchWindow(QWidget* from, const costbatch::Settings& settings);
