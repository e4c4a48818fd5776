// A window's estimate as it leaves the program: copy text, a printed sheet, a PDF file.
#pragma once

#include <QString>

#include "Report.h"

class QPrinter;
class QWidget;

namespace zanvoro {

// Puts the report's copy text on the system clipboard.
void CopyToClipboard(const forms::Report& report);

// Draws the one-page estimate sheet on a printer that is set up but not yet painted on.
// Throws std::runtime_error when the printer cannot be opened (a PDF path not writable).
void RenderEstimateSheet(const forms::Report& report, QPrinter& printer);

// Writes the sheet as a PDF file; throws std::runtime_error when it cannot.
void WriteEstimatePdf(const forms::Report& report, const QString& path);

// "印刷…": the print dialog, then the sheet. False when the user cancelled.
bool PrintEstimate(const forms::Report& report, QWidget* parent);

// "PDFとして保存…": a file dialog, then the PDF. False when the user cancelled; throws
// std::runtime_error when the file cannot be written.
bool SaveEstimatePdf(const forms::Report& report, QWidget* parent);

}  // namespace zanvoro
