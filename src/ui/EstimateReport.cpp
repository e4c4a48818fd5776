// Reading a window's estimate, and writing it as copy text, a printed sheet and a PDF file.
#include "EstimateReport.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTextDocument>

#include <stdexcept>

#include "CalculatorWindow.h"
#include "WindowLook.h"

using namespace Qt::Literals::StringLiterals;

namespace zanvoro {
namespace {

QString ShownText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    return {};
}

// A text as one spreadsheet cell: nothing in it may start a new column or row.
QString Cell(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return text;
}

// An amount field as read: the number taken from its text, with the text where it differs;
// a text that cannot be read as typed.
ReportLine AmountLine(const QString& caption, const QLineEdit* edit, const QString& unit) {
    const QString typed = edit->text();
    try {
        const QString read = QString::fromStdString(
            costmodel::NumberToText(costmodel::TextToNumber(typed.toStdString())));
        return {caption, read, unit, read == typed ? QString() : typed};
    } catch (const std::exception&) {
        return {caption, typed, unit, {}};
    }
}

QString DateText(const QDate& date) {
    const QDate day = date.isValid() ? date : QDate::currentDate();
    return QStringLiteral("%1年%2月%3日").arg(day.year()).arg(day.month()).arg(day.day());
}

QString ProgramLine() { return kAppTitle + u"  バージョン "_s + QStringLiteral(ZANVORO_VERSION); }

QString SheetHtml(const EstimateReport& report) {
    const auto esc = [](const QString& s) { return s.toHtmlEscaped(); };
    QString html = QStringLiteral(
        "<table width='100%' cellspacing='0' cellpadding='0'><tr>"
        "<td><span style='font-size:18pt; font-weight:bold'>%1</span>"
        "<span style='font-size:13pt'>　工事費内訳</span></td>"
        "<td align='right' valign='bottom'>%2</td></tr></table>")
                       .arg(esc(report.title), esc(u"作成日　"_s + DateText(report.date)));

    html += u"<p style='font-size:12pt; font-weight:bold'><br>入力</p>"
              u"<table border='1' cellspacing='0' cellpadding='5' width='70%'"
              u" style='border-collapse:collapse; border-color:#808080'>"_s;
    for (const ReportLine& line : report.inputs) {
        const QString value = line.typed.isEmpty()
                                  ? esc(line.value)
                                  : esc(line.value) + u"<br><span style='font-size:9pt'>（入力 "_s +
                                        esc(line.typed) + u"）</span>"_s;
        html += QStringLiteral("<tr><td width='55%'>%1</td><td align='right'>%2</td>"
                               "<td width='12%'>%3</td></tr>")
                    .arg(esc(line.caption), value, esc(line.unit));
    }
    html += QStringLiteral("</table>");

    html += u"<p style='font-size:6pt'>&nbsp;</p>"
              u"<p style='font-size:12pt; font-weight:bold'>内訳</p>"
              u"<table border='1' cellspacing='0' cellpadding='5' width='100%'"
              u" style='border-collapse:collapse; border-color:#808080'>"
              u"<tr style='background-color:#E8E8E8'><th align='left' width='34%'>項目</th>"
              u"<th align='right' width='26%'>金額</th><th width='10%'>単位</th>"
              u"<th align='right' width='20%'>率</th><th width='10%'>単位</th></tr>"_s;
    const auto& figures = report.figures;
    for (qsizetype i = 0; i < figures.size(); ++i) {
        const ReportFigure& f = figures[i];
        const bool hasRate = i + 1 < figures.size() && figures[i + 1].rate;
        if (f.rate && i > 0 && !figures[i - 1].rate) continue;  // shown with its amount
        QString amountCells, rateCells;
        if (f.rate) {
            amountCells = QStringLiteral("<td></td><td></td>");
            rateCells = QStringLiteral("<td align='right'>%1</td><td>%2</td>")
                            .arg(esc(f.value), esc(f.unit));
        } else {
            amountCells = QStringLiteral("<td align='right'>%1</td><td>%2</td>")
                              .arg(esc(f.value), esc(f.unit));
            rateCells = hasRate ? QStringLiteral("<td align='right'>%1</td><td>%2</td>")
                                      .arg(esc(figures[i + 1].value), esc(figures[i + 1].unit))
                                : QStringLiteral("<td></td><td></td>");
        }
        html += QStringLiteral("<tr><td>%1</td>%2%3</tr>")
                    .arg(esc(f.caption), amountCells, rateCells);
        // A rate's basis on a line of its own: the formula is too wide for a column.
        const ReportFigure* rate = f.rate ? &f : hasRate ? &figures[i + 1] : nullptr;
        if (rate && !rate->rule.isEmpty())
            html += QStringLiteral("<tr><td colspan='5' style='font-size:9pt'>"
                                   "　　対象額　%1 万円　　適用　%2</td></tr>")
                        .arg(esc(rate->base), esc(rate->rule));
    }
    html += QStringLiteral("</table>");
    return html;
}

void ThrowNotWritten(const QString& path) {
    const QString message = u"'%1' に書き込めません"_s.arg(QDir::toNativeSeparators(path));
    throw std::runtime_error(message.toUtf8().toStdString());
}

}  // namespace

QString PlainCaption(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

QList<ReportLine> InputLines(const CalculatorWindow& window) {
    QList<ReportLine> inputs;
    inputs.push_back(AmountLine(window.Label1->text(), window.Edit1, window.Label6->text()));
    for (const QRadioButton* rb : {window.rb1, window.rb2, window.rb3})
        if (rb->isChecked())
            inputs.push_back({window.RadioGroup1->title(), PlainCaption(rb->text()), {}, {}});
    const struct {
        const QAbstractButton* box;
        const QLineEdit* amount;
        const QLabel* unit;
    } options[] = {{window.CheckBox1, window.Edit2, window.Label27},
                   {window.CheckBox2, window.Edit3, window.Label28},
                   {window.CheckBox3, nullptr, nullptr}};
    for (const auto& option : options) {
        const QString caption = PlainCaption(option.box->text());
        if (!option.amount)
            inputs.push_back(
                {caption, option.box->isChecked() ? u"はい"_s : u"いいえ"_s, {}, {}});
        else if (option.box->isChecked())
            inputs.push_back(AmountLine(caption, option.amount, option.unit->text()));
        else
            inputs.push_back({caption, u"なし"_s, {}, {}});
    }
    // A choice of the window's own: "経費率　自動入力" reads 経費率: 自動入力.
    for (const QRadioButton* rb : window.ExtraChoices())
        if (rb->isChecked()) {
            const QString text = PlainCaption(rb->text());
            const qsizetype gap = text.indexOf(QChar(0x3000));
            inputs.push_back(gap < 0 ? ReportLine{text, {}, {}, {}}
                                            : ReportLine{text.left(gap), text.mid(gap + 1), {}, {}});
        }
    return inputs;
}

EstimateReport ReportOfWindow(const CalculatorWindow& window) {
    EstimateReport report;
    report.title = window.Window()->windowTitle();
    report.date = QDate::currentDate();

    report.inputs = window.InputsShown();

    // Each rate applies to its own basis, the rates in the figures' order.
    const auto bases = window.RateBasesShown();
    std::size_t rateNo = 0;
    for (const Figure* source : window.ReportFigures()) {
        ReportFigure figure;
        figure.rate = source->isRate();
        figure.caption = figure.rate ? source->amount->caption->text() + u"率"_s
                                     : source->caption->text();
        figure.value = ShownText(source->value);
        figure.unit = source->unit->text();
        figure.controls = {source->value, source->unit};
        if (source->caption) figure.controls.push_back(source->caption);
        if (figure.rate && rateNo < bases.size()) {
            const auto& basis = bases[rateNo++];
            if (!basis.Rule.empty()) {
                figure.base = QString::fromStdString(costmodel::NumberToText(basis.Base));
                figure.rule = QString::fromStdString(basis.Rule);
            }
        }
        report.figures.push_back(figure);
    }
    return report;
}

EstimateReport ReportOfWindow(const QWidget* window) {
    const auto* calculating = dynamic_cast<const CalculatorWindow*>(window);
    return calculating ? ReportOfWindow(*calculating) : EstimateReport{};
}

QString ToClipboardText(const EstimateReport& report) {
    const auto row = [](const QStringList& cells) {
        QStringList out;
        for (const QString& cell : cells) out.push_back(Cell(cell));
        return out.join(u'\t') + u'\n';
    };
    QString text = Cell(report.title) + u'\n';
    for (const ReportLine& line : report.inputs)
        text += line.typed.isEmpty()
                    ? row({line.caption, line.value, line.unit})
                    : row({line.caption, line.value, line.unit, u"入力: "_s + line.typed});
    text += u'\n';
    for (const ReportFigure& f : report.figures)
        text += f.rate ? row({f.caption, f.value, f.unit, f.base, f.rule})
                       : row({f.caption, f.value, f.unit});
    return text;
}

void CopyToClipboard(const EstimateReport& report) {
    QGuiApplication::clipboard()->setText(ToClipboardText(report));
}

void RenderEstimateSheet(const EstimateReport& report, QPrinter& printer) {
    InstallFontSubstitutions();
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
    doc.setHtml(SheetHtml(report));
    doc.drawContents(&painter, page);

    QFont small(font);
    small.setPointSizeF(9);
    painter.setFont(small);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    const qreal lineHeight = QFontMetricsF(small, &printer).height();
    const QRectF footer(page.left(), page.bottom() - lineHeight, page.width(), lineHeight);
    painter.drawLine(footer.topLeft() - QPointF(0, lineHeight / 3),
                     footer.topRight() - QPointF(0, lineHeight / 3));
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, ProgramLine());
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, DateText(report.date));
    if (!painter.end()) ThrowNotWritten(printer.outputFileName());
}

namespace {

void SetUpSheetPrinter(QPrinter& printer, const EstimateReport& report) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 20, 20, 15), QPageLayout::Millimeter));
    printer.setDocName(report.title);
    printer.setCreator(ProgramLine());
}

}  // namespace

void WriteEstimatePdf(const EstimateReport& report, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetUpSheetPrinter(printer, report);
    RenderEstimateSheet(report, printer);
}

bool PrintEstimate(const EstimateReport& report, QWidget* parent) {
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

bool SaveEstimatePdf(const EstimateReport& report, QWidget* parent) {
    // The folder of the last sheet saved, for this run only; at first the documents folder.
    static QString lastFolder;
    QString folder = lastFolder;
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QDate day = report.date.isValid() ? report.date : QDate::currentDate();
    const QString name = report.title + day.toString(QStringLiteral("_yyyyMMdd")) + u".pdf"_s;

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
