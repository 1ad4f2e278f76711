#include "gui/dialogs/UnstructuredOptionsDialog.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "core/codec/Windows1252.h"
#include "core/import/UnstructuredPreview.h"
#include "gui/dialogs/BuildDelimiterDialog.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {
namespace {

constexpr std::size_t kPreviewPieces = 12;

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

QString FromRecord(const std::string& text) {
    return FromCore(Windows1252ToUtf8(text));
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

UnstructuredOptionsDialog::UnstructuredOptionsDialog(ISettingsStore& store, IUserInterface& ui,
                                                     std::string previewFile, QWidget* parent)
    : QDialog(parent), options_(store), ui_(ui), previewFile_(std::move(previewFile)) {
    setObjectName(QStringLiteral("frmImportUnstructured"));
    setWindowTitle(tr("Import Unstructured Options"));
    buildDelimiter = [this](const CDelim& start) -> std::optional<CDelim> {
        BuildDelimiterDialog dialog(start, ui_, this);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.Delimiter();
    };

    auto* ok = Button(tr("&OK"), "cmdAction_0", this);
    auto* cancel = Button(tr("&Cancel"), "cmdAction_1", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { DoAction(CUnstructuredOptions::kActionOk); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { DoAction(CUnstructuredOptions::kActionCancel); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* left = new QVBoxLayout;
    left->addWidget(MakeDelimiterFrame(), 1);
    left->addWidget(MakeTitleFrame());
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    if (!previewFile_.empty()) {
        columns->addWidget(MakePreviewFrame(), 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    resize(previewFile_.empty() ? 560 : 1120, 460);

    ShowDelimiters(0);
    ShowTitleRule();
    UpdatePreview();
}

QWidget* UnstructuredOptionsDialog::MakeDelimiterFrame() {
    auto* frame = new QGroupBox(tr("Data Delimiters"), this);
    frame->setObjectName(QStringLiteral("fraDelimiters"));
    delimiters_ = new QListWidget(frame);
    delimiters_->setObjectName(QStringLiteral("lstDelimiters"));
    // A delimiter of several codes reads longer than the list is wide.
    delimiters_->setWordWrap(true);
    delimiters_->setResizeMode(QListView::Adjust);
    delimiters_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* add = Button(tr("&Add..."), "cmdAdd", frame);
    auto* edit = Button(tr("&Edit..."), "cmdEdit", frame);
    auto* remove = Button(tr("&Remove"), "cmdRemove", frame);
    connect(add, &QPushButton::clicked, this, &UnstructuredOptionsDialog::AddDelimiter);
    connect(edit, &QPushButton::clicked, this, &UnstructuredOptionsDialog::EditDelimiter);
    connect(remove, &QPushButton::clicked, this, &UnstructuredOptionsDialog::RemoveDelimiter);
    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(edit);
    side->addWidget(remove);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(delimiters_, 1);
    layout->addLayout(side);
    return frame;
}

QWidget* UnstructuredOptionsDialog::MakeTitleFrame() {
    auto* frame = new QGroupBox(tr("Leaf Titles"), this);
    frame->setObjectName(QStringLiteral("fraTitles"));
    titleRule_ = new QButtonGroup(frame);
    auto* useDefault = new QRadioButton(tr("Use &Default Naming"), frame);
    auto* useFirst = new QRadioButton(tr("Use &First"), frame);
    auto* readTo = new QRadioButton(tr("Read &To Delimiter:"), frame);
    useDefault->setObjectName(QStringLiteral("optTitle_0"));
    useFirst->setObjectName(QStringLiteral("optTitle_1"));
    readTo->setObjectName(QStringLiteral("optTitle_2"));
    titleRule_->addButton(useDefault, static_cast<int>(TitleOption::Default));
    titleRule_->addButton(useFirst, static_cast<int>(TitleOption::UseFirst));
    titleRule_->addButton(readTo, static_cast<int>(TitleOption::ReadToDelim));
    count_ = new QLineEdit(frame);
    count_->setObjectName(QStringLiteral("txtTitleCount"));
    count_->setMaximumWidth(60);
    titleDelimiter_ = new QLabel(frame);
    titleDelimiter_->setObjectName(QStringLiteral("lblTitleDelim"));
    titleDelimiter_->setWordWrap(true);
    titleDelimiter_->setFrameShape(QFrame::StyledPanel);
    auto* set = Button(tr("&Set..."), "cmdSetTitleDelim", frame);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(useDefault, 0, 0, 1, 3);
    grid->addWidget(useFirst, 1, 0);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(count_);
    countRow->addWidget(new QLabel(tr("characters of Leaf data"), frame));
    countRow->addStretch(1);
    grid->addLayout(countRow, 1, 1, 1, 2);
    grid->addWidget(readTo, 2, 0);
    grid->addWidget(titleDelimiter_, 2, 1);
    grid->addWidget(set, 2, 2);
    grid->setColumnStretch(1, 1);

    connect(titleRule_, &QButtonGroup::idClicked, this, [this](int id) {
        options_.SetTitle(static_cast<TitleOption>(id));
        UpdatePreview();
    });
    connect(count_, &QLineEdit::textEdited, this, [this](const QString& text) {
        options_.SetCountText(ToCore(text));
        UpdatePreview();
    });
    connect(set, &QPushButton::clicked, this, &UnstructuredOptionsDialog::SetTitleDelimiter);
    return frame;
}

QWidget* UnstructuredOptionsDialog::MakePreviewFrame() {
    auto* frame =
        new QGroupBox(tr("Preview of %1").arg(QFileInfo(FromPath(previewFile_)).fileName()), this);
    frame->setObjectName(QStringLiteral("fraPreview"));
    preview_ = new QTreeWidget(frame);
    preview_->setObjectName(QStringLiteral("tvPreview"));
    preview_->setColumnCount(3);
    preview_->setHeaderLabels({tr("Leaf"), tr("Title"), tr("Leaf data")});
    preview_->setRootIsDecorated(false);
    preview_->setUniformRowHeights(true);
    preview_->header()->setStretchLastSection(true);
    previewNote_ = new QLabel(frame);
    previewNote_->setObjectName(QStringLiteral("lblPreviewNote"));
    previewNote_->setWordWrap(true);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(preview_, 1);
    layout->addWidget(previewNote_);
    return frame;
}

void UnstructuredOptionsDialog::DoAction(int action) {
    if (!options_.DoAction(action, ui_)) {
        if (action == CUnstructuredOptions::kActionOk &&
            options_.Title() == TitleOption::UseFirst) {
            count_->setFocus();
            count_->selectAll();
        }
        return;
    }
    action == CUnstructuredOptions::kActionOk ? accept() : reject();
}

std::optional<std::size_t> UnstructuredOptionsDialog::SelectedDelimiter() const {
    const int row = delimiters_->currentRow();
    if (row < 0 || delimiters_->selectedItems().isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void UnstructuredOptionsDialog::AddDelimiter() {
    if (const auto built = buildDelimiter(CDelim())) {
        options_.AddDelimiter(*built);
        ShowDelimiters(static_cast<int>(options_.Settings().delimiters.size()) - 1);
    }
}

void UnstructuredOptionsDialog::EditDelimiter() {
    const auto selected = SelectedDelimiter();
    const auto current = options_.DelimiterToEdit(selected, ui_);
    if (!current) {
        return;
    }
    if (const auto built = buildDelimiter(*current)) {
        options_.ReplaceDelimiter(*selected, *built);
        ShowDelimiters(static_cast<int>(*selected));
    }
}

void UnstructuredOptionsDialog::RemoveDelimiter() {
    const auto selected = SelectedDelimiter();
    if (options_.RemoveDelimiter(selected, ui_)) {
        ShowDelimiters(static_cast<int>(*selected));
    }
}

void UnstructuredOptionsDialog::SetTitleDelimiter() {
    if (const auto built = buildDelimiter(options_.TitleDelimiter())) {
        options_.SetTitleDelimiter(*built);
        ShowTitleRule();
        UpdatePreview();
    }
}

void UnstructuredOptionsDialog::ShowDelimiters(int select) {
    delimiters_->clear();
    for (const std::string& line : options_.DelimiterLines()) {
        auto* item = new QListWidgetItem(FromRecord(line), delimiters_);
        item->setToolTip(item->text());
    }
    if (delimiters_->count() > 0) {
        delimiters_->setCurrentRow(std::clamp(select, 0, delimiters_->count() - 1));
    }
    UpdatePreview();
}

void UnstructuredOptionsDialog::ShowTitleRule() {
    if (QAbstractButton* rule = titleRule_->button(static_cast<int>(options_.Title()))) {
        rule->setChecked(true);
    }
    count_->setText(FromCore(options_.CountText()));
    titleDelimiter_->setText(FromRecord(options_.TitleDelimiterLine()));
}

void UnstructuredOptionsDialog::UpdatePreview() {
    if (!preview_) {
        return;
    }
    const UnstructuredPreview shown =
        PreviewUnstructuredFile(PathOf(previewFile_), options_.Current(), kPreviewPieces);
    preview_->clear();
    for (const PreviewPiece& piece : shown.pieces) {
        const QString title =
            piece.title.empty() ? FromCore(kPreviewDefaultName) : FromRecord(piece.title);
        auto* item = new QTreeWidgetItem(
            preview_, {QString::number(piece.number), title, FromRecord(piece.fact)});
        if (piece.title.empty()) {
            item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    preview_->resizeColumnToContents(0);
    preview_->resizeColumnToContents(1);
    // A long title must leave room for the leaf data.
    preview_->setColumnWidth(1, std::min(preview_->columnWidth(1), 200));
    previewNote_->setText(!shown.error.empty() ? FromCore(shown.error)
                          : shown.more         ? FromCore(kPreviewMore)
                                               : QString());
    previewNote_->setVisible(!previewNote_->text().isEmpty());
}

}  // namespace trovique::gui
