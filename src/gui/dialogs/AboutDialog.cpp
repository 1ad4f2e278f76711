#include "gui/dialogs/AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/VersionInfo.h"
#include "core/services/ApplicationTitle.h"

namespace trovique::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::fromLatin1(kObjectName));
    setWindowTitle(QString::fromStdString(AboutCaption()));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* title = new QLabel(QString::fromUtf8(kApplicationTitle.data(),
                                               static_cast<qsizetype>(kApplicationTitle.size())),
                             this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(QString::fromStdString(VersionText()), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* legal = new QLabel(
        QString::fromUtf8(kLegalNotice.data(), static_cast<qsizetype>(kLegalNotice.size())), this);
    legal->setObjectName(QStringLiteral("lblLegal"));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(12);
    layout->addWidget(legal);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace trovique::gui
