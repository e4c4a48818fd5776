// One window's estimate as shown, and what leaves the program with it: copy text, print, PDF.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace zanvoro {

// A caption with its value as shown and its unit ("万円", "％", or empty for a choice).
// An amount reads as the number taken from it; `typed` holds the text as typed where that
// differs ("015448" read as 15448).
struct ReportLine {
    QString caption;
    QString value;
    QString unit;
    QString typed;
};

// One figure of the breakdown. A rate belongs to the amount right before it.
struct ReportFigure {
    QString caption;
    QString value;
    QString unit;
    bool rate = false;
    // A rate's basis: the amount it applies to as shown (対象額) and the rule (適用); empty
    // before any calculation.
    QString base;
    QString rule;
    QList<const QWidget*> controls;  // the window's controls that show it: value, labels
};

struct EstimateReport {
    QString title;                // the window's title
    QDate date;                   // the day the sheet is dated; today when left null
    QList<ReportLine> inputs;     // cost typed, work category, options and extra amounts
    QList<ReportFigure> figures;  // in build-up order, each rate after its amount
};

class CalculatorWindow;

// A button caption without its accelerator mark ("終了(&C)" reads "終了(C)").
QString PlainCaption(const QString& text);

// The inputs as the window's controls hold them now: the amount, the work category, the
// options and the window's own choices.
QList<ReportLine> InputLines(const CalculatorWindow& window);

// The estimate a calculating window shows, read from its figure table. Rates get their
// amount's caption with "率" appended, since the window captions them only by place.
EstimateReport ReportOfWindow(const CalculatorWindow& window);
// The same for a window that is a CalculatorWindow; an empty report for any other.
EstimateReport ReportOfWindow(const QWidget* window);

// Tab-separated rows with LF line ends, as spreadsheets take them: the title, one row per
// input (caption, amount read, unit, and "入力: " with the typed text where it differs), an
// empty row, then one row per figure (caption, value as shown, unit; a rate also 対象額 and
// 適用). Tabs and line breaks inside a text become spaces so that they cannot shift the
// columns.
QString ToClipboardText(const EstimateReport& report);

// Puts ToClipboardText on the system clipboard.
void CopyToClipboard(const EstimateReport& report);

// Draws the one-page estimate sheet on a printer that is set up but not yet painted on.
// Throws std::runtime_error when the printer cannot be opened (a PDF path not writable).
void RenderEstimateSheet(const EstimateReport& report, QPrinter& printer);

// Writes the sheet as a PDF file; throws std::runtime_error when it cannot.
void WriteEstimatePdf(const EstimateReport& report, const QString& path);

// "印刷…": the print dialog, then the sheet. False when the user cancelled.
bool PrintEstimate(const EstimateReport& report, QWidget* parent);

// "PDFとして保存…": a file dialog, then the PDF. False when the user cancelled; throws
// std::runtime_error when the file cannot be written.
bool SaveEstimatePdf(const EstimateReport& report, QWidget* parent);

}  // namespace zanvoro
