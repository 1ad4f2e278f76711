#include "gui/panes/RootPane.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editor/Document.h"
#include "core/editor/PaneContent.h"
#include "gui/dialogs/ViewImageDialog.h"
#include "gui/panes/FieldBoxes.h"
#include "gui/panes/PicturePreview.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {
namespace {

constexpr QSize kSplashSize(128, 60);
constexpr int kCommentLines = 3;

void FitLines(QPlainTextEdit& box, int lines) {
    box.setFixedHeight(box.fontMetrics().lineSpacing() * lines + 12);
}

}  // namespace

RootPane::RootPane(CDocument& document, FieldBoxes& boxes, QWidget* parent)
    : QWidget(parent), document_(document), boxes_(boxes) {
    setObjectName(QStringLiteral("picTitle"));
    auto* form = new QFormLayout;
    form->addRow(tr("Slide Show &Title On Palm:"), boxes.AddLine(TextField::SlideShowTitle, this));
    auto* creator = boxes.AddLine(TextField::CreatorID, this);
    creator->setMaximumWidth(creator->fontMetrics().horizontalAdvance(QStringLiteral("WWWWWW")));
    form->addRow(tr("C&reator ID:"), creator);
    form->addRow(tr("&Label On Palm:"), boxes.AddLine(TextField::ProgramIconName, this));
    auto* splash = boxes.AddLines(TextField::SplashComments, this);
    FitLines(*splash, kCommentLines);
    form->addRow(tr("Splash Screen Te&xt:"), splash);
    auto* contact = boxes.AddLines(TextField::AboutComments, this);
    FitLines(*contact, kCommentLines);
    form->addRow(tr("&Contact Information:"), contact);
    for (int row = 0; row < form->rowCount(); ++row) {
        if (auto* label =
                qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget())) {
            label->setBuddy(form->itemAt(row, QFormLayout::FieldRole)->widget());
        }
    }

    slides_ = new QLabel(this);
    slides_->setObjectName(QStringLiteral("lblNumSlides"));
    size_ = new QLabel(this);
    size_->setObjectName(QStringLiteral("lblSizeDB_0"));
    auto* settings = new QPushButton(tr("Settings for Slide &Show..."), this);
    settings->setObjectName(QStringLiteral("cmdPrefs"));
    connect(settings, &QPushButton::clicked, this, [this] { document_.EditPrefs(); });
    auto* summary = new QFormLayout;
    summary->addRow(tr("Number of Slides:"), slides_);
    summary->addRow(tr("Size of Slide Show On Palm:"), size_);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(summary);
    bottom->addStretch();
    bottom->addWidget(settings, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeSplashGroup());
    layout->addLayout(bottom);
    layout->addStretch();
}

QWidget* RootPane::MakeSplashGroup() {
    auto* group = new QGroupBox(tr("Splash Screen Image"), this);
    monochrome_ = new PicturePreview(kSplashSize, group);
    monochrome_->setObjectName(QStringLiteral("picSplashMono"));
    color_ = new PicturePreview(kSplashSize, group);
    color_->setObjectName(QStringLiteral("picSplashColor"));
    auto* buttons = new QVBoxLayout;
    const QString captions[] = {tr("S&et..."), tr("Clea&r"), tr("&View...")};
    for (int index = 0; index < 3; ++index) {
        auto* button = new QPushButton(captions[index], group);
        button->setObjectName(QStringLiteral("cmdBitmap_%1").arg(index));
        connect(button, &QPushButton::clicked, this, [this, index] { SplashButton(index); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(monochrome_, 0, Qt::AlignTop);
    layout->addWidget(color_, 0, Qt::AlignTop);
    layout->addLayout(buttons);
    layout->addStretch();
    return group;
}

void RootPane::SplashButton(int index) {
    switch (index) {
        case 0:
            document_.ChooseSplashPicture();
            break;
        case 1:
            document_.ClearSplashPictures();
            break;
        default: {
            ViewImageDialog view(document_, this);
            view.exec();
            break;
        }
    }
}

void RootPane::Show(const PaneContent& content) {
    boxes_.Fill({TextField::SlideShowTitle, TextField::CreatorID, TextField::ProgramIconName,
                 TextField::SplashComments, TextField::AboutComments});
    const auto& properties = document_.Properties();
    monochrome_->Show(properties.MonochromeSplash().bitmap.get(),
                      FromCore(SplashViewNote(false, false)));
    color_->Show(properties.ColorSplash().bitmap.get(), FromCore(SplashViewNote(true, false)));
    ShowSummary(content);
}

void RootPane::ShowSummary(const PaneContent& content) {
    slides_->setText(FromCore(content.numberOfSlides));
    size_->setText(FromCore(content.size));
}

}  // namespace trovique::gui
