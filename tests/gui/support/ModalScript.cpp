#include "support/ModalScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace trovique::guitest {

ModalScript::ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    timer_.start(10);
}

void ModalScript::Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal->property("answered").toBool() || steps_.empty()) {
        return;
    }
    modal->setProperty("answered", true);
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(modal);
}

ModalScript::Step ModalScript::Press(int button, QString* text) {
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            return;
        }
        if (text) {
            *text = box->text();
        }
        box->button(static_cast<QMessageBox::StandardButton>(button))->click();
    };
}

ModalScript::Step ModalScript::ChooseFile(const QString& path) {
    return [=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog || path.isEmpty()) {
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            return;
        }
        dialog->selectFile(path);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(path);
        }
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
}

ModalScript::Step ModalScript::TypeText(const QString& text) {
    return [=](QWidget* modal) {
        if (auto* entry = modal->findChild<QLineEdit*>(QStringLiteral("txtEntry"))) {
            entry->setText(text);
        }
        QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
    };
}

}  // namespace trovique::guitest
