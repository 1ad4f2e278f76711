#include "gui/app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QTimer>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "core/app/HandOver.h"
#include "core/codec/Windows1252.h"
#include "core/common/NumericText.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"
#include "core/services/SettingsStore.h"

namespace trovique::gui {
namespace {

constexpr int kConnectMilliseconds = 1000;
constexpr int kAnswerMilliseconds = 3000;
constexpr int kIdleConnectionMilliseconds = 3000;

QString UserName() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

}  // namespace

QString InstanceServerName() {
    const QString name = QString::fromUtf8(kApplicationTitle.data(),
                                           static_cast<qsizetype>(kApplicationTitle.size())) +
                         QLatin1Char('.') + UserName();
#ifdef Q_OS_UNIX
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder =
        !runtime.isEmpty() && QDir(runtime).exists() ? runtime : QDir::tempPath();
    return QDir(folder).filePath(name);
#else
    return name;
#endif
}

CInstanceServer::CInstanceServer(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &CInstanceServer::Accept);
}

bool CInstanceServer::Listen() {
    const QString name = InstanceServerName();
    if (server_.listen(name)) {
        return true;
    }
    if (server_.serverError() != QAbstractSocket::AddressInUseError) {
        return false;
    }
    // Nobody answered on the name before we came here, so the socket is a crashed copy's.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kConnectMilliseconds)) {
        return false;
    }
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

void CInstanceServer::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        auto reader = std::make_shared<CHandOverReader>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kIdleConnectionMilliseconds, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader] {
            const QByteArray bytes = socket->readAll();
            const auto state = reader->Append(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
            if (state == CHandOverReader::State::Incomplete) {
                return;
            }
            const auto file = reader->FileName();
            if (!file) {
                socket->abort();
                return;
            }
            const char accepted = static_cast<char>(kHandOverAccepted);
            socket->write(&accepted, 1);
            socket->flush();
            socket->disconnectFromServer();
            emit fileReceived(QString::fromStdString(Windows1252ToUtf8(*file)));
        });
    }
}

OtherInstance CPreviousInstance::Find(const ISettingsStore& store) {
    QLocalSocket socket;
    socket.connectToServer(InstanceServerName());
    if (!socket.waitForConnected(kConnectMilliseconds)) {
        return OtherInstance::None;
    }
    socket.abort();
    const std::string handle =
        store.GetOr(std::string(kApplicationTitle), settings::kSettings,
                    settings::kMainWindowHandle, settings::kMainWindowHandleDefault);
    return LeadingNumber(handle) != 0.0 ? OtherInstance::Found : OtherInstance::Unreachable;
}

bool CPreviousInstance::Send(const std::string& file) {
    QLocalSocket socket;
    socket.connectToServer(InstanceServerName());
    if (!socket.waitForConnected(kConnectMilliseconds)) {
        return false;
    }
    const auto frame = EncodeHandOver(Utf8ToWindows1252(file));
    socket.write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
    if (!socket.waitForBytesWritten(kAnswerMilliseconds)) {
        return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kAnswerMilliseconds)) {
            return false;
        }
    }
    char answer = 0;
    return socket.read(&answer, 1) == 1 && static_cast<std::uint8_t>(answer) == kHandOverAccepted;
}

}  // namespace trovique::gui
