// The real trovique started as the add-in starts it: the run each command line chooses, and
// the single-instance hand-over between two processes. Every process gets a scratch settings,
// runtime and temporary folder, a start-up clock that does not really wait, and is killed on
// teardown.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "gui/app/SingleInstance.h"
#include "support/GuiTestSupport.h"

using namespace trovique;

namespace {

constexpr int kQuietMilliseconds = 400;

// A hand-over frame with the payload exactly as given (with or without a NUL).
QByteArray Frame(std::uint32_t identifier, const QByteArray& payload) {
    QByteArray bytes;
    for (const std::uint32_t value : {identifier, static_cast<std::uint32_t>(payload.size())}) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>(value >> shift);
        }
    }
    return bytes + payload;
}

}  // namespace

class ProcessStartupTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void EachCommandLineChoosesItsRun();
    void ASecondLaunchHandsItsFileToTheFirst();
    void AStaleSocketDoesNotBlockTheNextStart();
    void OnlyIdentifier17WithOneNulIsTaken();
    void AStartupErrorIsReportedAndEndsTheProcess();

private:
    QProcess& Launch(const QStringList& arguments, int autoCloseMs = -1, QString program = {});
    // Waits until the process has printed line; false after timeoutMs.
    bool WaitForLine(QProcess& process, const QString& line, int timeoutMs = 10000);
    QString Output(QProcess& process);
    QProcess& StartFirstInstance();

    std::unique_ptr<QTemporaryDir> scratch_;
    std::vector<std::unique_ptr<QProcess>> processes_;
    std::map<QProcess*, QString> output_;
};

void ProcessStartupTest::init() {
    scratch_ = std::make_unique<QTemporaryDir>();
    for (const char* folder : {"config", "runtime", "tmp"}) {
        QDir(scratch_->path()).mkdir(QString::fromLatin1(folder));
    }
    QFile::setPermissions(scratch_->filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", scratch_->filePath("runtime").toUtf8());
}

void ProcessStartupTest::cleanup() {
    for (auto& process : processes_) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
    processes_.clear();
    output_.clear();
}

QProcess& ProcessStartupTest::Launch(const QStringList& arguments, int autoCloseMs,
                                     QString program) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", scratch_->filePath("config"));
    env.insert("XDG_RUNTIME_DIR", scratch_->filePath("runtime"));
    env.insert("TMPDIR", scratch_->filePath("tmp"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TROVIQUE_TRACE", "1");
    env.insert("TROVIQUE_FAKE_CLOCK", "1");
    env.remove("TROVIQUE_AUTOCLOSE");
    if (autoCloseMs >= 0) {
        env.insert("TROVIQUE_AUTOCLOSE", QString::number(autoCloseMs));
    }
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    if (program.isEmpty()) {
        program = QString::fromStdString((guitest::BinDir() / "trovique").string());
    }
    process->start(program, arguments);
    process->waitForStarted();
    processes_.push_back(std::move(process));
    return *processes_.back();
}

QString ProcessStartupTest::Output(QProcess& process) {
    output_[&process] += QString::fromUtf8(process.readAllStandardOutput());
    return output_[&process];
}

bool ProcessStartupTest::WaitForLine(QProcess& process, const QString& line, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!Output(process).split('\n').contains(line)) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        process.waitForReadyRead(50);
    }
    return true;
}

QProcess& ProcessStartupTest::StartFirstInstance() {
    QProcess& first = Launch({"/SHOWUI"});
    [&] { QVERIFY2(WaitForLine(first, "shown frmMain"), qPrintable(Output(first))); }();
    return first;
}

void ProcessStartupTest::EachCommandLineChoosesItsRun() {
    const struct {
        QStringList arguments;
        QStringList shown;  // in order
        int exitCode;
    } cases[] = {
        {{},
         {"shown MessageBox: Norvane Trovique must be started from its toolbar icon within "
          "PowerPoint."},
         0},
        {{"notes.sdb"}, {}, 0},
        {{"/AUTOPDB"}, {}, 0},
        {{"/SHOWABOUT"}, {"shown frmAbout"}, 0},
        {{"/showui", "/SHOWABOUT"}, {"shown frmAbout"}, 0},
        {{"/SHOWUI"}, {"shown frmSplash", "shown frmMain"}, 0},
        // The destination window closed is Cancel: nothing is delivered.
        {{"/AUTOPDB=" + scratch_->filePath("deck.pptx")}, {"shown frmSlideShowDest"}, 1},
        {{"/SHOWUI", "/AUTOPDB=" + scratch_->filePath("deck.pptx")}, {"shown frmSlideShowDest"}, 1},
    };
    for (const auto& c : cases) {
        QProcess& process = Launch(c.arguments, 300);
        QVERIFY2(process.waitForFinished(15000), qPrintable(c.arguments.join(' ')));
        QStringList shown;
        for (const QString& line : Output(process).split('\n', Qt::SkipEmptyParts)) {
            if (line.startsWith("shown ")) {
                shown << line;
            }
        }
        QCOMPARE(shown, c.shown);
        QCOMPARE(process.exitCode(), c.exitCode);
    }
}

void ProcessStartupTest::ASecondLaunchHandsItsFileToTheFirst() {
    QProcess& first = StartFirstInstance();
    QElapsedTimer timer;
    timer.start();
    QProcess& second = Launch({"/SHOWUI", "x.sdb"});
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(Output(second), QString());
    QVERIFY2(WaitForLine(first, "command 1: x.sdb", 5000), qPrintable(Output(first)));
    QVERIFY(timer.elapsed() >= 100);

    // While the first runs, a launch without /SHOWUI does nothing.
    for (const QStringList& arguments :
         {QStringList{"/AUTOPDB=" + scratch_->filePath("deck.pptx")}, QStringList{"y.sdb"}}) {
        QProcess& quiet = Launch(arguments, 0);
        QVERIFY(quiet.waitForFinished(5000));
        QCOMPARE(quiet.exitCode(), 0);
        QCOMPARE(Output(quiet), QString());
    }
}

void ProcessStartupTest::AStaleSocketDoesNotBlockTheNextStart() {
    // What a copy that crashed leaves behind: a socket file nobody listens on.
    const QByteArray path = gui::InstanceServerName().toUtf8();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    QVERIFY(QFile::exists(path));

    QProcess& first = StartFirstInstance();
    QProcess& second = Launch({"/SHOWUI", "z.sdb"});
    QVERIFY(second.waitForFinished(5000));
    QVERIFY2(WaitForLine(first, "command 1: z.sdb", 5000), qPrintable(Output(first)));
}

void ProcessStartupTest::OnlyIdentifier17WithOneNulIsTaken() {
    QProcess& first = StartFirstInstance();
    const struct {
        QByteArray frame;
        bool taken;
    } cases[] = {
        {Frame(18, QByteArray("other.sdb\0", 10)), false},
        {Frame(17, QByteArray("nonul.sdb")), false},
        {Frame(17, QByteArray("two\0nuls\0", 9)), false},
        {Frame(17, QByteArray("good.sdb\0", 9)), true},
    };
    for (const auto& c : cases) {
        QLocalSocket socket;
        socket.connectToServer(gui::InstanceServerName());
        QVERIFY(socket.waitForConnected(2000));
        socket.write(c.frame);
        QVERIFY(socket.waitForBytesWritten(2000));
        socket.waitForReadyRead(kQuietMilliseconds);
        QCOMPARE(socket.readAll(), c.taken ? QByteArray(1, '\1') : QByteArray());
    }
    QVERIFY2(WaitForLine(first, "command 1: good.sdb", 5000), qPrintable(Output(first)));
    QTest::qWait(kQuietMilliseconds);
    QCOMPARE(Output(first).count("command 1:"), 1);
}

void ProcessStartupTest::AStartupErrorIsReportedAndEndsTheProcess() {
    // A copy of the program without the palette files it loads at start.
    QDir(scratch_->path()).mkdir("program");
    const QString program = scratch_->filePath("program/trovique");
    const std::string built = (guitest::BinDir() / "trovique").string();
    if (::link(built.c_str(), program.toLocal8Bit().constData()) != 0) {
        QVERIFY(QFile::copy(QString::fromStdString(built), program));
    }
    QProcess& process = Launch({"/SHOWUI"}, 300, program);
    QVERIFY(process.waitForFinished(15000));
    QCOMPARE(process.exitCode(), 1);
    const QString shown = Output(process).split('\n').value(0);
    QVERIFY2(shown.startsWith("shown MessageBox: An error has occurred loading Norvane Trovique: "),
             qPrintable(shown));
    QVERIFY2(shown.contains("Palm256Color.pal"), qPrintable(shown));
}

QTEST_MAIN(ProcessStartupTest)
#include "ProcessStartupTest.moc"
