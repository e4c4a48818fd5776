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

namespace layout = forms::sheetlayout;

QString Percent(int share) { return QString::number(share) + u'%'; }
QString HtmlColour(std::uint32_t rgb) { return QColor(QRgb(rgb)).name(QColor::HexRgb).toUpper(); }

QString SheetHtml(const forms::Sheet& sheet) {
    const auto esc = [](const std::string& s) { return Text(s).toHtmlEscaped(); };
    const QString table = QStringLiteral("<table border='1' cellspacing='0' cellpadding='5' width='%1'"
                                         " style='border-collapse:collapse; border-color:%2'>");
    const QString rule = HtmlColour(layout::kRule);
    QString html = QStringLiteral(
        "<table width='100%' cellspacing='0' cellpadding='0'><tr>"
        "<td><span style='font-size:18pt; font-weight:bold'>%1</span>"
        "<span style='font-size:13pt'>　%2</span></td>"
        "<td align='right' valign='bottom'>%3</td></tr></table>")
                       .arg(esc(sheet.title), esc(sheet.subtitle), esc(sheet.dated));

    html += QStringLiteral("<p style='font-size:12pt; font-weight:bold'><br>%1</p>")
                .arg(esc(sheet.inputsHeading)) +
            table.arg(Percent(layout::kInputsWidth), rule);
    for (const forms::ReportLine& line : sheet.inputs) {
        const std::string note = forms::TypedNote(line);
        const QString value = note.empty() ? esc(line.value)
                                           : esc(line.value) + u"<br><span style='font-size:9pt'>"_s +
                                                 esc(note) + u"</span>"_s;
        html += QStringLiteral("<tr><td width='%1'>%2</td><td align='right'>%3</td>"
                               "<td width='%4'>%5</td></tr>")
                    .arg(Percent(layout::kInputColumns[0]), esc(line.caption), value,
                         Percent(layout::kInputColumns[2]), esc(line.unit));
    }
    html += QStringLiteral("</table>");

    const auto& c = sheet.columns;
    const auto& w = layout::kFigureColumns;
    html += QStringLiteral("<p style='font-size:6pt'>&nbsp;</p>"
                           "<p style='font-size:12pt; font-weight:bold'>%1</p>")
                .arg(esc(sheet.figuresHeading)) +
            table.arg(Percent(100), rule) +
            QStringLiteral("<tr style='background-color:%1'><th align='left' width='%2'>%3</th>"
                           "<th align='right' width='%4'>%5</th><th width='%6'>%7</th>")
                .arg(HtmlColour(layout::kHeadingShade), Percent(w[0]), esc(c[0]), Percent(w[1]),
                     esc(c[1]), Percent(w[2]), esc(c[2])) +
            QStringLiteral("<th align='right' width='%1'>%2</th><th width='%3'>%4</th></tr>")
                .arg(Percent(w[3]), esc(c[3]), Percent(w[4]), esc(c[4]));
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
    painter.setPen(QColor(QRgb(layout::kFooter)));
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
                                      QMarginsF(layout::kMargins[0], layout::kMargins[1],
                                                layout::kMargins[2], layout::kMargins[3]),
                                      QPageLayout::Millimeter));
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
