#include "gui/windows/SplashWindow.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/app/VersionInfo.h"
#include "core/services/ApplicationTitle.h"

namespace trovique::gui {
namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(Utf8(kApplicationTitle));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x1f, 0x3a, 0x5f));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);

    auto* title = new QLabel(Utf8(kApplicationTitle), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(QString::fromStdString(VersionText()), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* legal = new QLabel(Utf8(kLegalNotice), this);
    legal->setObjectName(QStringLiteral("lblLegal"));
    legal->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 24);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addStretch(1);
    layout->addWidget(legal);
    setFixedSize(440, 240);
}

}  // namespace trovique::gui
