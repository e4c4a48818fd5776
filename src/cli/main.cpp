// zanvoro-batch: many estimates at once, from a table on standard input or in a file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "console.h"

namespace {

using namespace costbatch;
using zanvorobatch::WriteText;

constexpr std::string_view kHelpTemplate =
    R"(Usage: zanvoro-batch [OPTION]... [FILE|-]
Compute many construction-cost estimates at once, each exactly as the Zanvoro!
windows compute it.

Reads a table from FILE, or from standard input when FILE is - or absent: CSV
or TSV (as a spreadsheet saves or copies it), in UTF-8 with or without BOM, in
UTF-16 with BOM (a spreadsheet's Unicode text) or in Shift-JIS (CP932). Writes
the caption row and then every row, its inputs as read followed by its
thirteen figures and 結果 (empty, or the row's error message), to standard
output. A failing row never stops the others.

A first row of captions is recognised by these:
@CAPTIONS@The output's own captions (the figures and 結果) are accepted and their cells
recomputed, so an output can be read again; any other caption is an error. The
amount's caption decides the direction. Without a caption row, the first column
is the amount and the options give every other setting.

Amounts are read as the windows read their fields, with the user's decimal
separator (LC_ALL, LC_NUMERIC, LANG).

Options:
  --direct             forward calculation from 希望直接工事費 (default: reverse
                       search from 希望工事費 (税込))
  --category WORK      work category for rows without one: 道路維持 (default),
                       新営 or 改修
  --no-common-temp     共通仮設費をみない for rows without the column
  --format FORMAT      output format, csv or tsv (default: the input's; a file's
                       by its name, .csv or .tsv, else by its first line)
  --encoding ENCODING  output encoding: utf-8 (default), utf-8-bom or cp932; an
                       output with a character the encoding lacks is refused
  --help               display this help and exit
  --version            output version information and exit

Exit status:
  0  every row was computed
  1  some row has an error, given in its 結果 column; every row is still written
  2  a usage error, an input that cannot be read (no such file, an unknown
     caption, a quote left open, no rows) or an output that cannot be written
     (a character the encoding lacks), with a one-line message on standard
     error; an output refused for its encoding is not written at all

Examples:
  $ zanvoro-batch budgets.csv > estimates.csv
  $ printf '希望工事費 (税込)\t工事種類\n1000\t新営\n' | zanvoro-batch --format csv
  $ zanvoro-batch --direct --category 改修 --encoding cp932 costs.txt > out.csv
)";

// The help, its caption list spelt from the captions the batch layer reads.
std::string Help() {
    namespace c = costmodel::captions;
    // A terminal shows a CJK character two columns wide: a lead byte of three bytes or more.
    const auto row = [](std::string_view caption, std::string_view meaning) {
        std::size_t width = 0;
        for (const char ch : caption) {
            const auto b = static_cast<unsigned char>(ch);
            width += b < 0x80 ? 1 : b >= 0xE0 ? 2 : 0;
        }
        constexpr std::size_t kColumn = 25;
        return "  " + std::string(caption) + std::string(width < kColumn ? kColumn - width : 1, ' ') +
               std::string(meaning) + "\n";
    };
    std::string works;
    for (std::size_t i = 0; i < c::kWorkNames.size(); ++i)
        works += (i == 0 ? "" : i + 1 == c::kWorkNames.size() ? " or " : ", ") +
                 std::string(c::kWorkNames[i].name);
    std::string captions =
        row(c::kTarget, "the desired total with tax: reverse search (main window)") +
        row(c::kDirectTarget, "the desired direct cost: forward calculation (calculator)") +
        row(c::kWork, works) + row(c::kExtraInNet, "an amount, or なし or empty for none") +
        row(c::kExtraNoOverhead, "an amount, or なし or empty for none") +
        row(c::kNoCommonTemp, "はい or いいえ (empty: いいえ)");
    captions += "  " + std::string(c::kFigures[c::kCommonTempRateFigure]) + ", " +
                std::string(c::kFigures[c::kSiteMgmtRateFigure]) + ", " +
                std::string(c::kFigures[c::kGeneralMgmtRateFigure]) + "\n" +
                "                           typed rates (forward only): a row with any of them uses\n"
                "                           all three, as the calculator window's manual rates\n";
    std::string help(kHelpTemplate);
    const std::string_view mark = "@CAPTIONS@";
    help.replace(help.find(mark), mark.size(), captions);
    return help;
}


struct Options {
    Settings settings;
    std::optional<Format> format;
    Encoding encoding = Encoding::Utf8;
    std::string file = "-";
};

struct UsageError {
    std::string message;
};

// Control characters would break the one line a message must be.
std::string OneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return out;
}

int Fail(std::string_view message) {
    WriteText(stderr, "zanvoro-batch: " + OneLine(message) + "\n");
    return 2;
}

costmodel::WorkType WorkOf(std::string_view name) {
    if (const auto work = costmodel::captions::WorkNamed(name)) return *work;
    throw UsageError{"--category は 道路維持, 新営, 改修 のどれかです: '" + std::string(name) +
                     "'"};
}

// Options as parsed; nullopt when --help or --version has been answered.
std::optional<Options> Parse(const std::vector<std::string>& args) {
    Options o;
    bool fileGiven = false;
    bool optionsEnd = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnd || arg == "-" || arg.empty() || arg[0] != '-') {
            if (fileGiven) throw UsageError{"入力は一つだけです: '" + arg + "'"};
            o.file = arg;
            fileGiven = true;
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        std::optional<std::string> value;
        if (const std::size_t eq = arg.find('='); eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
        }
        const auto needValue = [&]() -> std::string {
            if (value) return *value;
            if (i + 1 >= args.size()) throw UsageError{arg + " には値が要ります"};
            return args[++i];
        };
        const auto noValue = [&] {
            if (value) throw UsageError{arg + " は値をとりません"};
        };
        if (arg == "--help") {
            WriteText(stdout, Help());
            return std::nullopt;
        }
        if (arg == "--version") {
            WriteText(stdout, "zanvoro-batch " ZANVORO_VERSION "\n");
            return std::nullopt;
        }
        if (arg == "--direct") {
            noValue();
            o.settings.direction = Direction::Forward;
        } else if (arg == "--no-common-temp") {
            noValue();
            o.settings.noCommonTemp = true;
        } else if (arg == "--category") {
            o.settings.work = WorkOf(needValue());
        } else if (arg == "--format") {
            const std::string f = needValue();
            if (f == "csv") o.format = Format::Csv;
            else if (f == "tsv") o.format = Format::Tsv;
            else throw UsageError{"--format は csv か tsv です: '" + f + "'"};
        } else if (arg == "--encoding") {
            const std::string e = needValue();
            if (e == "utf-8") o.encoding = Encoding::Utf8;
            else if (e == "utf-8-bom") o.encoding = Encoding::Utf8Bom;
            else if (e == "cp932") o.encoding = Encoding::Cp932;
            else
                throw UsageError{"--encoding は utf-8, utf-8-bom, cp932 のどれかです: '" + e + "'"};
        } else {
            throw UsageError{"不明なオプション '" + arg + "' (--help で使い方を表示)"};
        }
    }
    return o;
}

bool ReadInput(const std::string& file, std::string& bytes) {
    std::FILE* in = file == "-" ? stdin : zanvorobatch::OpenForReading(file);
    if (in == nullptr) {
        Fail("'" + file + "' を開けません (" + std::strerror(errno) + ")");
        return false;
    }
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, n);
    const bool failed = std::ferror(in) != 0;
    const int error = errno;
    if (in != stdin) std::fclose(in);
    if (failed) Fail("'" + file + "' を読めません (" + std::strerror(error) + ")");
    return !failed;
}

OutputError WriteFailed() {
    return OutputError(std::string("書き込めません (") + std::strerror(errno) + ")");
}

int Run(const Options& options) {
    std::string bytes;
    if (!ReadInput(options.file, bytes)) return 2;
    std::optional<Batch> batch;
    Format format;
    // An input with a character the output's encoding lacks may fail part way: that output
    // is held whole and written only once complete, so that a refusal leaves nothing.
    bool hold = false;
    try {
        std::string text = DecodeText(bytes);
        bytes = std::string();
        format = GuessFormat(options.file == "-" ? std::string_view() : options.file, text);
        hold = !Writable(text, options.encoding);
        batch.emplace(ParseTable(text, format), options.settings);
    } catch (const InputError& e) {
        return Fail(e.message());
    }
    if (options.format) format = *options.format;

    std::string held;
    TableWriter out(format, options.encoding, [&](std::string_view piece) {
        if (hold) held.append(piece);
        else if (std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
            throw WriteFailed();
    });
    bool allFine = true;
    try {
        out.captions(*batch);
        for (std::size_t row = 0; row < batch->size(); ++row) {
            const RowResult result = batch->compute(row);
            allFine = allFine && result.ok;
            out.row(*batch, row, result);
        }
        out.finish();
        if (std::fwrite(held.data(), 1, held.size(), stdout) != held.size() ||
            std::fflush(stdout) != 0)
            throw WriteFailed();
    } catch (const OutputError& e) {
        return Fail(e.message());
    }
    return allFine ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    zanvorobatch::UseBinaryStandardStreams();
    costmodel::LoadDecimalSeparatorFromEnvironment();
    std::optional<Options> options;
    try {
        options = Parse(zanvorobatch::Arguments(argc, argv));
    } catch (const UsageError& e) {
        return Fail(e.message);
    }
    return options ? Run(*options) : 0;
}
