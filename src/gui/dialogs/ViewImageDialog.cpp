#include "gui/dialogs/ViewImageDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/editor/Document.h"
#include "core/editor/PaneContent.h"
#include "gui/panes/PicturePreview.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {
namespace {

constexpr QSize kShownSize(256, 120);  // twice the handheld's 128 x 60, as a desktop shows it

}  // namespace

ViewImageDialog::ViewImageDialog(const CDocument& document, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmViewImage"));
    setWindowTitle(tr("View Image"));
    auto* grid = new QGridLayout;
    const auto show = [&](bool color, int column) {
        const auto& picture =
            color ? document.Properties().ColorSplash() : document.Properties().MonochromeSplash();
        auto* preview = new PicturePreview(kShownSize, this);
        preview->setObjectName(color ? QStringLiteral("picColor") : QStringLiteral("picMono"));
        const bool present = picture.bitmap != nullptr;
        preview->Show(picture.bitmap.get(), FromCore(SplashViewNote(color, present)));
        grid->addWidget(new QLabel(color ? tr("Color") : tr("Monochrome"), this), 0, column);
        grid->addWidget(preview, 1, column);
    };
    show(false, 0);
    show(true, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

}  // namespace trovique::gui
