#include "support/GuiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <memory>

namespace trovique::guitest {

void OnNextModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->deleteLater();
            timer->stop();
            action(modal);
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

void ClickInNextModal(const QString& objectName) {
    OnNextModal([objectName](QWidget* modal) {
        if (auto* button = modal->findChild<QAbstractButton*>(objectName)) {
            button->click();
        }
    });
}

std::filesystem::path BinDir() {
    return TROVIQUE_BIN_DIR;
}

}  // namespace trovique::guitest
