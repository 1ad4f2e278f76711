#include "cli/TerminalUserInterface.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <stdexcept>

#include "core/codec/Windows1252.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/FileDialog.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <sys/ioctl.h>
#include <termios.h>
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

std::string Word(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Yes:
            return "yes";
        case MessageAnswer::No:
            return "no";
        case MessageAnswer::Cancel:
            return "cancel";
        case MessageAnswer::Ok:
            break;
    }
    return "ok";
}

std::string StyleWord(MessageStyle style) {
    switch (style.icon) {
        case MessageIcon::Critical:
            return "error: ";
        case MessageIcon::Question:
            return "question: ";
        case MessageIcon::Exclamation:
            return "warning: ";
        case MessageIcon::Information:
            return "note: ";
        case MessageIcon::None:
            break;
    }
    return {};
}

// "[y/N]": the choices of the button set, the safe one in capitals.
std::string Hint(MessageStyle style) {
    switch (style.buttons) {
        case MessageButtons::YesNo:
            return "[y/N]";
        case MessageButtons::YesNoCancel:
            return "[y/n/C]";
        case MessageButtons::OkCancel:
            return "[o/C]";
        case MessageButtons::Ok:
            break;
    }
    return {};
}

MessageAnswer PolicyAnswer(AnswerPolicy policy, MessageStyle style) {
    if (policy == AnswerPolicy::Yes) {
        return Offers(style, MessageAnswer::Yes) ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    return Offers(style, MessageAnswer::No) ? MessageAnswer::No : MessageAnswer::Cancel;
}

std::string Trimmed(std::string text) {
    const auto notBlank = [](unsigned char c) { return std::isspace(c) == 0; };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notBlank));
    text.erase(std::find_if(text.rbegin(), text.rend(), notBlank).base(), text.end());
    return text;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The answer a typed reply stands for, or nothing when it stands for none the style offers.
std::optional<MessageAnswer> ParseReply(const std::string& typed, MessageStyle style) {
    const std::string reply = Lowered(Trimmed(typed));
    std::optional<MessageAnswer> answer;
    if (reply.empty()) {
        answer = SafeAnswer(style);
    } else if (reply == "y" || reply == "yes") {
        answer = MessageAnswer::Yes;
    } else if (reply == "n" || reply == "no") {
        answer = MessageAnswer::No;
    } else if (reply == "c" || reply == "cancel") {
        answer = MessageAnswer::Cancel;
    } else if (reply == "o" || reply == "ok") {
        answer = MessageAnswer::Ok;
    }
    return answer && Offers(style, *answer) ? answer : std::nullopt;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool IsControl(char32_t code) {
    return (code < 0x20 && code != '\t' && code != '\n') || (code >= 0x7F && code <= 0x9F);
}

// The first room characters of UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t room) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!IsContinuation(static_cast<unsigned char>(text[at])) && characters++ == room) {
            return text.substr(0, at);
        }
    }
    return text;
}

// One message line: the style word, the title when it is not the program's own, the text with
// its later lines indented under the first.
std::string MessageLine(const std::string& text, MessageStyle style, const std::string& title) {
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
std::string OneLine(const std::string& utf8, int width) {
    std::string line = TerminalText(utf8);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\t'; }, ' ');
    const std::size_t room = static_cast<std::size_t>(std::max(width - 1, 1));
    std::string cut = FirstCharacters(line, room);
    if (cut.size() < line.size()) {
        cut.erase(cut.find_last_not_of(' ') + 1);
    }
    return cut;
}

bool IsTerminal(int fd) {
#if defined(_WIN32)
    return _isatty(fd) != 0;
#else
    return isatty(fd) != 0;
#endif
}

// Switches the terminal's echo off for the life of the object, for a password.
class CHiddenInput {
public:
    explicit CHiddenInput(bool hide) {
#if !defined(_WIN32)
        if (hide && tcgetattr(STDIN_FILENO, &saved_) == 0) {
            termios silent = saved_;
            silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            hidden_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent) == 0;
        }
#else
        (void)hide;
#endif
    }
    ~CHiddenInput() {
#if !defined(_WIN32)
        if (hidden_) {
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
        }
#endif
    }
    CHiddenInput(const CHiddenInput&) = delete;
    CHiddenInput& operator=(const CHiddenInput&) = delete;

private:
#if !defined(_WIN32)
    termios saved_{};
#endif
    bool hidden_ = false;
};

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

MessageAnswer CTerminalUserInterface::ShowMessage(const std::string& text, MessageStyle style,
                                                  const std::string& title) {
    const std::string line = MessageLine(text, style, title);
    if (!presetReplace_.empty() && text == presetReplace_ && Offers(style, MessageAnswer::Yes)) {
        presetReplace_.clear();
        Print(line + " " + Hint(style) + " yes (named on the command line)\n");
        return MessageAnswer::Yes;
    }
    if (!AsksQuestion(style)) {
        Print(line + "\n");
        return MessageAnswer::Ok;
    }
    return Answer(line, style);
}

// A terminal has no icons to tell a failure by: whatever its box style, it is an error.
MessageAnswer CTerminalUserInterface::ShowFailure(const std::string& text, MessageStyle style,
                                                  const std::string& title) {
    return ShowMessage(text, MessageStyle{style.buttons, MessageIcon::Critical}, title);
}

ConfirmAnswer CTerminalUserInterface::AskConfirm(const std::string& text,
                                                 const std::string& title) {
    // Only a user at a window can tick "Do not show this message again".
    return ConfirmAnswer{
        Answer(MessageLine(text, kStyleYesNo, title), kStyleYesNo) == MessageAnswer::Yes, false};
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

std::string CTerminalUserInterface::ChooseFile(const FileDialogSpec& spec) {
    if (const auto preset = presetFiles_.find(spec.kind); preset != presetFiles_.end()) {
        std::string path = std::move(preset->second);
        presetFiles_.erase(preset);
        // Naming the file on the command line already answered whether it may be replaced.
        presetReplace_ = ReplaceQuestion(path);
        return path;
    }
    const FileDialogStart start = StartOf(spec);
    std::string prompt = "question: " + TerminalText(spec.title) + " file";
    if (!start.fileName.empty()) {
        prompt += " [" + TerminalText(spec.initial) + "]";
    }
    const auto reply = AskLine(prompt + ": ");
    if (!reply) {
        return {};
    }
    return reply->empty() && !start.fileName.empty() ? spec.initial : *reply;
}

std::optional<std::string> CTerminalUserInterface::AskText(const TextQuestion& question) {
    std::string prompt = "question: ";
    if (!question.title.empty() && question.title != kApplicationTitle) {
        prompt += TerminalText(question.title) + ": ";
    }
    prompt += TerminalText(question.prompt);
    if (!question.secret && !question.initial.empty()) {
        prompt += " [" + TerminalText(question.initial) + "]";
    }
    const auto reply = AskLine(prompt + " ", question.secret);
    if (!reply) {
        return std::nullopt;
    }
    return reply->empty() && !question.secret ? question.initial : *reply;
}

std::optional<SlideShowPreferences> CTerminalUserInterface::EditPreferences(
    const SlideShowPreferences& current) {
    // Asked one value at a time; the first Cancel cancels the whole dialog. --yes and --no
    // answer questions only, so they cancel it, as a missing terminal does.
    if (options_.answers != AnswerPolicy::Ask || !options_.inputIsTerminal) {
        (void)AskLine("question: Settings for Dictionary: ");
        return std::nullopt;
    }
    SlideShowPreferences values = current;
    if (values.passwordEditable) {
        const auto password = AskLine("question: Settings for Dictionary: Enter Password: ", true);
        if (!password) {
            return std::nullopt;
        }
        const auto again = AskLine("question: Settings for Dictionary: Retype Password: ", true);
        if (!again) {
            return std::nullopt;
        }
        values.password = *password;
        values.passwordAgain = *again;
    }
    const std::pair<const char*, bool*> switches[] = {
        {"Make Database Beamable", &values.beamable},
        {"Mark New Terms As Copy-Enabled", &values.copyable},
    };
    for (const auto& [caption, value] : switches) {
        const MessageAnswer answer = Answer(std::string("question: Settings for Dictionary: ") +
                                                caption + " (now " + (*value ? "yes" : "no") + ")?",
                                            kStyleYesNoCancel);
        if (answer == MessageAnswer::Cancel) {
            return std::nullopt;
        }
        *value = answer == MessageAnswer::Yes;
    }
    return values;
}

SlideShowDestination CTerminalUserInterface::ChooseSlideShowDestination() {
    if (presetDestination_) {
        return *presetDestination_;
    }
    const std::string prompt =
        "question: Choose the Slide Show destination: HotSync sends it to your Palm without "
        "saving a file, Save asks for a file. [h/s/C] ";
    for (;;) {
        const auto typed = AskLine(prompt);
        if (!typed) {
            return SlideShowDestination::Cancel;
        }
        const std::string reply = Lowered(Trimmed(*typed));
        if (reply == "h" || reply == "hotsync") {
            return SlideShowDestination::HotSync;
        }
        if (reply == "s" || reply == "save") {
            return SlideShowDestination::Save;
        }
        if (reply.empty() || reply == "c" || reply == "cancel") {
            return SlideShowDestination::Cancel;
        }
        Print("Please answer h (HotSync), s (Save) or c (Cancel).\n");
    }
}

std::optional<std::string> CTerminalUserInterface::AskLine(const std::string& prompt, bool secret) {
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
    bool read = false;
    {
        CHiddenInput hidden(secret && options_.inputIsTerminal);
        read = static_cast<bool>(std::getline(in_, reply));
    }
    if (secret && read) {
        err_ << "\n" << std::flush;  // the typed Enter was not echoed
    }
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

MessageAnswer CTerminalUserInterface::Answer(const std::string& line, MessageStyle style) {
    const std::string prompt = line + " " + Hint(style) + " ";
    if (options_.answers != AnswerPolicy::Ask) {
        const MessageAnswer answer = PolicyAnswer(options_.answers, style);
        Print(prompt + Word(answer) +
              (options_.answers == AnswerPolicy::Yes ? " (--yes)\n" : " (--no)\n"));
        return answer;
    }
    if (!options_.inputIsTerminal) {
        const MessageAnswer answer = SafeAnswer(style);
        Print(prompt + Word(answer) + " (not asked: input is not a terminal)\n");
        return answer;
    }
    return ReadAnswer(prompt, style);
}

MessageAnswer CTerminalUserInterface::ReadAnswer(const std::string& prompt, MessageStyle style) {
    ClearLiveLine();
    for (;;) {
        err_ << prompt << std::flush;
        std::string reply;
        if (!std::getline(in_, reply)) {
            const MessageAnswer answer = SafeAnswer(style);
            err_ << Word(answer) << " (end of input)\n" << std::flush;
            DrawLiveLine();
            return answer;
        }
        if (const auto answer = ParseReply(reply, style)) {
            DrawLiveLine();
            return *answer;
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
    return OneLine(line, options_.width);
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

std::string TerminalText(std::string_view utf8) {
    std::string clean;
    clean.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8, at, code);
        if (code == '\r' && length == 1) {
            clean += '\n';
            at += at + 1 < utf8.size() && utf8[at + 1] == '\n' ? 2 : 1;
        } else if (length == 0 || IsControl(code)) {
            clean += '?';
            at += std::max<std::size_t>(length, 1);
        } else {
            clean.append(utf8.substr(at, length));
            at += length;
        }
    }
    return clean;
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
