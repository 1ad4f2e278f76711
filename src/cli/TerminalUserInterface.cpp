#include "cli/TerminalUserInterface.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <stdexcept>

#include "core/app/ApplicationTitle.h"
#include "core/storage/Windows1252.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace trovique::cli {

namespace {

constexpr int kBarWidth = 20;
constexpr const char* kEraseLine = "\r\x1b[K";

// Ctrl-C while a progress runs: the first press asks the operation to stop at its next item,
// a second press ends the process as usual, for operations that cannot stop.
volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int signal) {
    if (gInterrupted != 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    gInterrupted = 1;
}

// Bytes the code page leaves undefined decode to C1 controls; a terminal must not see those.
bool IsControl(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F || c == 0x81 || c == 0x8D ||
           c == 0x8F || c == 0x90 || c == 0x9D;
}

std::string Word(int answer) {
    switch (answer) {
        case kAnswerYes:
            return "yes";
        case kAnswerNo:
            return "no";
        case kAnswerCancel:
            return "cancel";
        default:
            return "ok";
    }
}

std::string StyleWord(int style) {
    switch (IconOf(style)) {
        case kIconCritical:
            return "error: ";
        case kIconQuestion:
            return "question: ";
        case kIconExclamation:
            return "warning: ";
        case kIconInformation:
            return "note: ";
        default:
            return {};
    }
}

// "[y/N]": the choices of the button set, the safe one in capitals.
std::string Hint(int style) {
    switch (ButtonSetOf(style)) {
        case kButtonsYesNo:
            return "[y/N]";
        case kButtonsYesNoCancel:
            return "[y/n/C]";
        case kButtonsOkCancel:
            return "[o/C]";
        default:
            return {};
    }
}

bool Offers(int style, int answer) {
    switch (ButtonSetOf(style)) {
        case kButtonsYesNo:
            return answer == kAnswerYes || answer == kAnswerNo;
        case kButtonsYesNoCancel:
            return answer == kAnswerYes || answer == kAnswerNo || answer == kAnswerCancel;
        case kButtonsOkCancel:
            return answer == kAnswerOk || answer == kAnswerCancel;
        default:
            return answer == kAnswerOk;
    }
}

int PolicyAnswer(AnswerPolicy policy, int style) {
    if (policy == AnswerPolicy::Yes) {
        return Offers(style, kAnswerYes) ? kAnswerYes : kAnswerOk;
    }
    return Offers(style, kAnswerNo) ? kAnswerNo : kAnswerCancel;
}

// The answer a typed reply stands for, or 0 when it stands for none the style offers.
int ParseReply(std::string reply, int style) {
    const auto notBlank = [](unsigned char c) { return std::isspace(c) == 0; };
    reply.erase(reply.begin(), std::find_if(reply.begin(), reply.end(), notBlank));
    reply.erase(std::find_if(reply.rbegin(), reply.rend(), notBlank).base(), reply.end());
    std::transform(reply.begin(), reply.end(), reply.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    int answer = 0;
    if (reply.empty()) {
        answer = SafeAnswer(style);
    } else if (reply == "y" || reply == "yes") {
        answer = kAnswerYes;
    } else if (reply == "n" || reply == "no") {
        answer = kAnswerNo;
    } else if (reply == "c" || reply == "cancel") {
        answer = kAnswerCancel;
    } else if (reply == "o" || reply == "ok") {
        answer = kAnswerOk;
    }
    return Offers(style, answer) ? answer : 0;
}

// One message line: the style word, the title when it is not the program's own, the text with
// its later lines indented under the first.
std::string MessageLine(const std::string& text, int style, const std::string& title) {
    std::string line = StyleWord(style);
    if (!title.empty() && title != kApplicationTitle) {
        line += TerminalText(title) + ": ";
    }
    std::string body = TerminalText(text);
    while (!body.empty() && body.back() == '\n') {
        body.pop_back();
    }
    for (std::size_t i = 0; i < body.size(); ++i) {
        line += body[i];
        if (body[i] == '\n' && i + 1 < body.size() && body[i + 1] != '\n') {
            line += "  ";
        }
    }
    return line;
}

// A line for the live display: one line whatever the text holds, cut to the width.
std::string OneLine(std::string windows1252, int width) {
    std::replace_if(
        windows1252.begin(), windows1252.end(),
        [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    const std::size_t room = static_cast<std::size_t>(std::max(width - 1, 1));
    if (windows1252.size() > room) {
        windows1252.resize(room);
        windows1252.erase(windows1252.find_last_not_of(' ') + 1);
    }
    return windows1252;
}

bool IsTerminal(int fd) {
#if defined(_WIN32)
    return _isatty(fd) != 0;
#else
    return isatty(fd) != 0;
#endif
}

int TerminalWidth() {
#if !defined(_WIN32)
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
#endif
    if (const char* columns = std::getenv("COLUMNS")) {
        const int value = std::atoi(columns);
        if (value > 0) {
            return value;
        }
    }
    return 80;
}

}  // namespace

class CTerminalUserInterface::StatusView final : public IStatusBarView {
public:
    explicit StatusView(CTerminalUserInterface& ui) : ui_(ui) {}
    void SetPanelText(int panel, const std::string& text) override {
        (panel == 1 ? ui_.statusText_ : ui_.statusPercentage_) = text;
        ui_.DrawLiveLine();
    }

private:
    CTerminalUserInterface& ui_;
};

class CTerminalUserInterface::ProgressView final : public IProgressView {
public:
    explicit ProgressView(CTerminalUserInterface& ui) : ui_(ui) {}
    ~ProgressView() override { ReleaseInterrupt(); }

    void Update(const ProgressDisplay& display) override {
        ui_.progressLine_.display = display;
        ui_.DrawLiveLine();
    }
    void Show() override {
        if (ui_.options_.catchInterrupt && !catching_) {
            gInterrupted = 0;
            previous_ = std::signal(SIGINT, OnInterrupt);
            catching_ = true;
        }
        ui_.progressLine_.visible = true;
        ui_.DrawLiveLine();
    }
    void Hide() override {
        ReleaseInterrupt();
        ui_.progressLine_.visible = false;
        ui_.DrawLiveLine();
    }
    bool Visible() const override { return ui_.progressLine_.visible; }
    int Top() const override { return top_; }
    void SetTop(int top) override { top_ = top; }
    bool UserCancel() override {
        if (gInterrupted != 0 && catching_) {
            cancelled_ = true;
        }
        return cancelled_;
    }
    void Reset() override {
        cancelled_ = false;
        if (catching_) {
            gInterrupted = 0;
        }
    }

private:
    void ReleaseInterrupt() {
        if (catching_) {
            UserCancel();  // a press before hiding still counts
            std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_);
            catching_ = false;
        }
    }

    CTerminalUserInterface& ui_;
    int top_ = 0;
    bool cancelled_ = false;
    bool catching_ = false;
    void (*previous_)(int) = SIG_DFL;
};

CTerminalUserInterface::CTerminalUserInterface(std::istream& in, std::ostream& err,
                                               TerminalOptions options)
    : in_(in),
      err_(err),
      options_(options),
      statusView_(std::make_unique<StatusView>(*this)),
      statusBar_(statusView_.get()),
      progress_(std::make_unique<CProgress>(std::make_unique<ProgressView>(*this))) {}

CTerminalUserInterface::~CTerminalUserInterface() {
    progress_.reset();
    statusBar_.SetStatusBar(nullptr);
    ClearLiveLine();
}

TerminalOptions CTerminalUserInterface::ProcessOptions(AnswerPolicy answers) {
    TerminalOptions options;
    options.inputIsTerminal = IsTerminal(0);
    options.errorIsTerminal = IsTerminal(2);
    options.answers = answers;
    options.width = TerminalWidth();
    options.catchInterrupt = true;
    return options;
}

int CTerminalUserInterface::ShowMessage(const std::string& text, int style,
                                        const std::string& title) {
    const std::string line = MessageLine(text, style, title);
    if (!AsksQuestion(style)) {
        Print(line + "\n");
        return kAnswerOk;
    }
    return Answer(line, style);
}

// A terminal has no icons to tell a failure by: whatever its box style, it is an error.
int CTerminalUserInterface::ShowFailure(const std::string& text, int style,
                                        const std::string& title) {
    return ShowMessage(text, ButtonSetOf(style) + kIconCritical, title);
}

ConfirmAnswer CTerminalUserInterface::AskConfirm(const std::string& text,
                                                 const std::string& title) {
    // Only a user at a window can tick "Do not show this message again".
    return ConfirmAnswer{Answer(MessageLine(text, kStyleYesNo, title), kStyleYesNo) == kAnswerYes,
                         false};
}

void CTerminalUserInterface::ShowLongMessage(const std::string& caption, const std::string& header,
                                             const std::string& text) {
    std::string out = "note: ";
    if (!caption.empty() && caption != kApplicationTitle) {
        out += TerminalText(caption) + (header.empty() ? "" : ": ");
    }
    out += TerminalText(header) + "\n";
    const std::string body = TerminalText(text);
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t end = body.find('\n', start);
        if (end == std::string::npos) {
            end = body.size();
        }
        const std::string_view lineText(body.data() + start, end - start);
        out += lineText.empty() ? "\n" : "  " + std::string(lineText) + "\n";
        start = end + 1;
    }
    Print(out);
}

void CTerminalUserInterface::PresetFileName(FileDialogKind kind, std::string path) {
    presetFiles_[kind] = std::move(path);
}

std::string CTerminalUserInterface::GetFileName(const std::string& initial, FileDialogKind kind) {
    if (const auto preset = presetFiles_.find(kind); preset != presetFiles_.end()) {
        std::string path = std::move(preset->second);
        presetFiles_.erase(preset);
        return path;
    }
    std::string prompt = std::string("question: ") + FileDialogTitle(kind) + " file";
    const bool initialIsFile = !initial.empty() && initial.back() != '/' && initial.back() != '\\';
    if (initialIsFile) {
        prompt += " [" + TerminalText(Utf8ToWindows1252(initial)) + "]";
    }
    const auto reply = AskLine(prompt + ": ");
    if (!reply) {
        return {};
    }
    return reply->empty() && initialIsFile ? initial : *reply;
}

SlideShowDestination CTerminalUserInterface::ChooseSlideShowDestination() {
    if (presetDestination_) {
        return *presetDestination_;
    }
    const std::string prompt =
        "question: Choose the Slide Show destination: HotSync sends it to your Palm without "
        "saving a file, Save asks for a file. [h/s/C] ";
    for (;;) {
        auto reply = AskLine(prompt);
        if (!reply) {
            return SlideShowDestination::Cancel;
        }
        const auto notBlank = [](unsigned char c) { return std::isspace(c) == 0; };
        reply->erase(reply->begin(), std::find_if(reply->begin(), reply->end(), notBlank));
        reply->erase(std::find_if(reply->rbegin(), reply->rend(), notBlank).base(), reply->end());
        std::transform(reply->begin(), reply->end(), reply->begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (*reply == "h" || *reply == "hotsync") {
            return SlideShowDestination::HotSync;
        }
        if (*reply == "s" || *reply == "save") {
            return SlideShowDestination::Save;
        }
        if (reply->empty() || *reply == "c" || *reply == "cancel") {
            return SlideShowDestination::Cancel;
        }
        Print("Please answer h (HotSync), s (Save) or c (Cancel).\n");
    }
}

std::optional<std::string> CTerminalUserInterface::AskLine(const std::string& prompt) {
    if (options_.answers != AnswerPolicy::Ask || !options_.inputIsTerminal) {
        Print(prompt + "cancel" +
              (options_.answers != AnswerPolicy::Ask ? " (not asked: --yes and --no answer "
                                                       "questions only)\n"
                                                     : " (not asked: input is not a terminal)\n"));
        return std::nullopt;
    }
    ClearLiveLine();
    err_ << prompt << std::flush;
    std::string reply;
    const bool read = static_cast<bool>(std::getline(in_, reply));
    if (!read) {
        err_ << "cancel (end of input)\n" << std::flush;
    }
    DrawLiveLine();
    if (!read) {
        return std::nullopt;
    }
    if (!reply.empty() && reply.back() == '\r') {
        reply.pop_back();
    }
    return reply;
}

int CTerminalUserInterface::Answer(const std::string& line, int style) {
    const std::string prompt = line + " " + Hint(style) + " ";
    if (options_.answers != AnswerPolicy::Ask) {
        const int answer = PolicyAnswer(options_.answers, style);
        Print(prompt + Word(answer) +
              (options_.answers == AnswerPolicy::Yes ? " (--yes)\n" : " (--no)\n"));
        return answer;
    }
    if (!options_.inputIsTerminal) {
        const int answer = SafeAnswer(style);
        Print(prompt + Word(answer) + " (not asked: input is not a terminal)\n");
        return answer;
    }
    return ReadAnswer(prompt, style);
}

int CTerminalUserInterface::ReadAnswer(const std::string& prompt, int style) {
    ClearLiveLine();
    for (;;) {
        err_ << prompt << std::flush;
        std::string reply;
        if (!std::getline(in_, reply)) {
            const int answer = SafeAnswer(style);
            err_ << Word(answer) << " (end of input)\n" << std::flush;
            DrawLiveLine();
            return answer;
        }
        if (const int answer = ParseReply(reply, style); answer != 0) {
            DrawLiveLine();
            return answer;
        }
        err_ << "Please answer " << Hint(style) << ".\n";
    }
}

void CTerminalUserInterface::Print(const std::string& utf8Text) {
    ClearLiveLine();
    err_ << utf8Text << std::flush;
    DrawLiveLine();
}

std::string CTerminalUserInterface::LiveLine() const {
    std::string line;
    if (progressLine_.visible) {
        const ProgressDisplay& display = progressLine_.display;
        const int percentage = std::clamp<int>(display.percentage, 0, 100);
        const int filled = percentage * kBarWidth / 100;
        std::string number = std::to_string(percentage);
        number.insert(0, 3 - number.size(), ' ');
        line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
               std::string(static_cast<std::size_t>(kBarWidth - filled), '-') + "] " + number + "%";
        if (!display.text.empty()) {
            line += " " + display.text;
        }
    } else if (!statusText_.empty()) {
        line = statusText_;
        if (!statusPercentage_.empty()) {
            line += " (" + statusPercentage_ + ")";
        }
    }
    return TerminalText(OneLine(line, options_.width));
}

void CTerminalUserInterface::DrawLiveLine() {
    if (!options_.errorIsTerminal) {
        return;
    }
    const std::string line = LiveLine();
    if (line == drawn_) {
        return;
    }
    if (line.empty()) {
        ClearLiveLine();
        return;
    }
    err_ << "\r" << line << "\x1b[K" << std::flush;
    drawn_ = line;
}

void CTerminalUserInterface::ClearLiveLine() {
    if (!drawn_.empty()) {
        err_ << kEraseLine << std::flush;
        drawn_.clear();
    }
}

std::string TerminalText(std::string_view windows1252) {
    std::string clean;
    clean.reserve(windows1252.size());
    for (std::size_t i = 0; i < windows1252.size(); ++i) {
        const auto c = static_cast<unsigned char>(windows1252[i]);
        if (c == '\r') {
            clean += '\n';
            if (i + 1 < windows1252.size() && windows1252[i + 1] == '\n') {
                ++i;
            }
        } else {
            clean += IsControl(c) ? '?' : static_cast<char>(c);
        }
    }
    return Windows1252ToUtf8(clean);
}

AnswerPolicy TakeAnswerFlags(std::vector<std::string>& args) {
    bool yes = false;
    bool no = false;
    for (auto it = args.begin(); it != args.end() && *it != "--";) {
        if (*it == "--yes" || *it == "-y") {
            yes = true;
            it = args.erase(it);
        } else if (*it == "--no" || *it == "-n") {
            no = true;
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    if (yes && no) {
        throw std::invalid_argument("--yes and --no cannot be given together");
    }
    return yes ? AnswerPolicy::Yes : no ? AnswerPolicy::No : AnswerPolicy::Ask;
}

}  // namespace trovique::cli
