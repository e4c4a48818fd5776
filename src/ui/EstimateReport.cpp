// The estimate of a window written as copy text, a printed sheet and a PDF file.
#include "EstimateReport.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>

#include <stdexcept>

#include "FormLook.h"
#include "WindowLook.h"

using namespace Qt::Literals::StringLiterals;

namespace zanvoro {
namespace {

QString SheetHtml(const forms::Sheet& sheet) {
    const auto esc = [](const std::string& s) { return Text(s).toHtmlEscaped(); };
    QString html = QStringLiteral(
        "<table width='100%' cellspacing='0' cellpadding='0'><tr>"
        "<td><span style='font-size:18pt; font-weight:bold'>%1</span>"
        "<span style='font-size:13pt'>　%2</span></td>"
        "<td align='right' valign='bottom'>%3</td></tr></table>")
                       .arg(esc(sheet.title), esc(sheet.subtitle), esc(sheet.dated));

    html += QStringLiteral("<p style='font-size:12pt; font-weight:bold'><br>%1</p>"
                           "<table border='1' cellspacing='0' cellpadding='5' width='70%'"
                           " style='border-collapse:collapse; border-color:#808080'>")
                .arg(esc(sheet.inputsHeading));
    for (const forms::ReportLine& line : sheet.inputs) {
        const std::string note = forms::TypedNote(line);
        const QString value = note.empty() ? esc(line.value)
                                           : esc(line.value) + u"<br><span style='font-size:9pt'>"_s +
                                                 esc(note) + u"</span>"_s;
        html += QStringLiteral("<tr><td width='55%'>%1</td><td align='right'>%2</td>"
                               "<td width='12%'>%3</td></tr>")
                    .arg(esc(line.caption), value, esc(line.unit));
    }
    html += QStringLiteral("</table>");

    const auto& c = sheet.columns;
    html += QStringLiteral("<p style='font-size:6pt'>&nbsp;</p>"
                           "<p style='font-size:12pt; font-weight:bold'>%1</p>"
                           "<table border='1' cellspacing='0' cellpadding='5' width='100%'"
                           " style='border-collapse:collapse; border-color:#808080'>"
                           "<tr style='background-color:#E8E8E8'><th align='left' width='34%'>%2</th>"
                           "<th align='right' width='26%'>%3</th><th width='10%'>%4</th>"
                           "<th align='right' width='20%'>%5</th><th width='10%'>%6</th></tr>")
                .arg(esc(sheet.figuresHeading), esc(c[0]), esc(c[1]), esc(c[2]), esc(c[3]),
                     esc(c[4]));
    const auto cells = [&](const std::string& value, const std::string& unit) {
        return value.empty() ? QStringLiteral("<td></td><td></td>")
                             : QStringLiteral("<td align='right'>%1</td><td>%2</td>")
                                   .arg(esc(value), esc(unit));
    };
    for (const forms::Sheet::Row& row : sheet.rows) {
        html += QStringLiteral("<tr><td>%1</td>%2%3</tr>")
                    .arg(esc(row.caption), cells(row.amount, row.amountUnit),
                         cells(row.rate, row.rateUnit));
        if (!row.basis.empty())
            html += QStringLiteral("<tr><td colspan='5' style='font-size:9pt'>%1</td></tr>")
                        .arg(esc(row.basis));
    }
    html += QStringLiteral("</table>");
    return html;
}

void ThrowNotWritten(const QString& path) {
    throw std::runtime_error(
        forms::NotWrittenMessage(QDir::toNativeSeparators(path).toStdString()));
}

}  // namespace

void CopyToClipboard(const forms::Report& report) {
    QGuiApplication::clipboard()->setText(Text(forms::ClipboardText(report)));
}

void RenderEstimateSheet(const forms::Report& report, QPrinter& printer) {
    InstallFontSubstitutions();
    const forms::Sheet sheet = forms::SheetOf(report, ZANVORO_VERSION);
    QPainter painter;
    if (!painter.begin(&printer)) ThrowNotWritten(printer.outputFileName());

    // Laid out at the printer's resolution so that point sizes come out as points on paper.
    const QRectF page(0, 0, printer.width(), printer.height());
    QFont font(kFontFamily);
    font.setPointSizeF(10.5);
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&printer);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setPageSize(page.size());
    doc.setHtml(SheetHtml(sheet));
    doc.drawContents(&painter, page);

    QFont small(font);
    small.setPointSizeF(9);
    painter.setFont(small);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    const qreal lineHeight = QFontMetricsF(small, &printer).height();
    const QRectF footer(page.left(), page.bottom() - lineHeight, page.width(), lineHeight);
    painter.drawLine(footer.topLeft() - QPointF(0, lineHeight / 3),
                     footer.topRight() - QPointF(0, lineHeight / 3));
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, Text(sheet.footerLeft));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, Text(sheet.footerRight));
    if (!painter.end()) ThrowNotWritten(printer.outputFileName());
}

namespace {

void SetUpSheetPrinter(QPrinter& printer, const forms::Report& report) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 20, 20, 15), QPageLayout::Millimeter));
    printer.setDocName(Text(report.title));
    printer.setCreator(Text(forms::SheetOf(report, ZANVORO_VERSION).footerLeft));
}

}  // namespace

void WriteEstimatePdf(const forms::Report& report, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetUpSheetPrinter(printer, report);
    RenderEstimateSheet(report, printer);
}

bool PrintEstimate(const forms::Report& report, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpSheetPrinter(printer, report);
    // On the heap and watched: the dialog runs its own event loop, during which its parent
    // may go away and take the dialog with it.
    QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, parent);
    dialog->setWindowTitle(u"印刷"_s);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog) return false;
    delete dialog;
    if (!accepted) return false;
    RenderEstimateSheet(report, printer);
    return true;
}

bool SaveEstimatePdf(const forms::Report& report, QWidget* parent) {
    // The folder of the last sheet saved, for this run only; at first the documents folder.
    static QString lastFolder;
    QString folder = lastFolder;
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString name = Text(report.title) +
                         QDate(report.date.year, report.date.month, report.date.day)
                             .toString(QStringLiteral("_yyyyMMdd")) +
                         u".pdf"_s;

    QPointer<QFileDialog> dialog = new QFileDialog(parent, u"PDFとして保存"_s);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(u"PDF (*.pdf)"_s);
    dialog->setDefaultSuffix(u"pdf"_s);
    dialog->setDirectory(folder);
    dialog->selectFile(name);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog) return false;
    const QStringList chosen = dialog->selectedFiles();
    delete dialog;
    if (!accepted || chosen.isEmpty()) return false;
    WriteEstimatePdf(report, chosen.first());
    lastFolder = QFileInfo(chosen.first()).absolutePath();
    return true;
}

}  // namespace zanvoro
