#include "gui/panes/LeafPane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/editor/Document.h"
#include "core/editor/PaneContent.h"
#include "gui/models/SeeAlsoChoicesModel.h"
#include "gui/panes/FieldBoxes.h"
#include "gui/panes/HandheldPreview.h"
#include "gui/panes/PicturePreview.h"
#include "gui/ui/GuiText.h"

namespace trovique::gui {
namespace {

constexpr QSize kSlidePictureSize(160, 120);
constexpr int kQuestionLines = 3;

QFormLayout* FormOn(QWidget* tab) {
    auto* form = new QFormLayout;
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addStretch();
    return form;
}

// A form row whose caption gives the field's access key.
void AddRow(QFormLayout& form, const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    form.addRow(label, field);
}

}  // namespace

LeafPane::LeafPane(CDocument& document, FieldBoxes& boxes, QWidget* parent)
    : QWidget(parent),
      document_(document),
      boxes_(boxes),
      seeAlsoChoices_(new SeeAlsoChoicesModel(document, this)) {
    setObjectName(QStringLiteral("picQAF"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tsLeafData"));
    tabs_->addTab(MakeSlideTab(), tr("Sli&de"));
    questionTab_ = MakeQuestionTab();
    tabs_->addTab(questionTab_, tr("&Question"));
    tabs_->addTab(MakeFactTab(), tr("&Fact"));
    pictureTab_ = MakePicturesTab();
    tabs_->addTab(pictureTab_, tr("&Pictures"));
    preview_ = new HandheldPreview(document, this);
    preview_->setObjectName(QStringLiteral("picHandheld"));
    tabs_->addTab(preview_, tr("&Handheld"));
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { UpdatePreview(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    // The lists keep their entry when the leaves they offer change.
    connect(seeAlsoChoices_, &QAbstractItemModel::modelReset, this, [this] {
        if (item_ != 0 && isVisible()) {
            ShowSeeAlso(DescribePane(document_, item_));
        }
    });
}

QWidget* LeafPane::MakeSlideTab() {
    auto* tab = new QWidget(this);
    QFormLayout* form = FormOn(tab);
    AddRow(*form, tr("&Title:"), boxes_.AddLine(TextField::LeafTitle, tab));
    auto* page = boxes_.AddLine(TextField::PageNumber, tab);
    page->setReadOnly(true);
    page->setMaximumWidth(page->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    form->addRow(tr("Page Number:"), page);
    difficulty_ = new QComboBox(tab);
    difficulty_->setObjectName(QStringLiteral("cboDifficulty"));
    for (int entry = kMinDifficulty; entry <= kMaxDifficulty; ++entry) {
        difficulty_->addItem(QString::number(entry), entry);
    }
    difficulty_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    difficulty_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    difficultyLabel_ = new QLabel(tr("Diffic&ulty:"), tab);
    difficultyLabel_->setObjectName(QStringLiteral("lblDifficulty"));
    difficultyLabel_->setBuddy(difficulty_);
    form->addRow(difficultyLabel_, difficulty_);
    connect(difficulty_, &QComboBox::activated, this, [this](int row) {
        Apply(
            [&] { return document_.SetLeafDifficulty(item_, difficulty_->itemData(row).toInt()); });
    });
    path_ = new QLabel(tab);
    path_->setObjectName(QStringLiteral("lblPath"));
    path_->setWordWrap(true);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(tr("Path:"), path_);

    const QString switchCaptions[] = {tr("Allow &Notes To Be Copyable"), tr("High&light Slide"),
                                      tr("Pass&word Protect Slide"), tr("&Re-edit Slide")};
    auto* options = new QGroupBox(tr("Options"), tab);
    auto* optionsLayout = new QGridLayout(options);
    for (int index = 0; index < 4; ++index) {
        auto* box = new QCheckBox(switchCaptions[index], options);
        box->setObjectName(QStringLiteral("Check1_%1").arg(index));
        switches_[static_cast<std::size_t>(index)] = box;
        optionsLayout->addWidget(box, index % 2, index / 2);
        connect(box, &QCheckBox::clicked, this, [this, index](bool on) {
            Apply([&] {
                return document_.SetLeafSwitch(item_, static_cast<CDocument::LeafSwitch>(index),
                                               on);
            });
        });
    }
    form->addRow(options);

    auto* links = new QGroupBox(tr("See Also"), tab);
    auto* linksForm = new QFormLayout(links);
    for (int list = 0; list < 3; ++list) {
        auto* box = new QComboBox(links);
        box->setObjectName(QStringLiteral("cboSeeAlso_%1").arg(list));
        // One entry per leaf: the list must not measure them all.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(24);
        box->setModel(seeAlsoChoices_);
        if (auto* view = qobject_cast<QListView*>(box->view())) {
            view->setUniformItemSizes(true);
        }
        seeAlso_[static_cast<std::size_t>(list)] = box;
        AddRow(*linksForm, tr("Link &%1:").arg(list + 1), box);
        connect(box, &QComboBox::activated, this, [this, box, list](int row) {
            Apply([&] {
                return document_.SetLeafSeeAlso(item_, list + 1, box->itemData(row).toInt());
            });
        });
    }
    form->addRow(links);
    return tab;
}

QWidget* LeafPane::MakeQuestionTab() {
    auto* tab = new QWidget(this);
    QFormLayout* form = FormOn(tab);
    auto* question = boxes_.AddLines(TextField::Question, tab);
    question->setFixedHeight(question->fontMetrics().lineSpacing() * kQuestionLines + 12);
    AddRow(*form, tr("&Question:"), question);
    AddRow(*form, tr("Answer &1 (correct):"), boxes_.AddLine(TextField::Answer1, tab));
    AddRow(*form, tr("Answer &2:"), boxes_.AddLine(TextField::Answer2, tab));
    AddRow(*form, tr("Answer &3:"), boxes_.AddLine(TextField::Answer3, tab));
    AddRow(*form, tr("Answer &4:"), boxes_.AddLine(TextField::Answer4, tab));
    return tab;
}

QWidget* LeafPane::MakeFactTab() {
    auto* tab = new QWidget(this);
    auto* fact = boxes_.AddRich(TextField::Fact, tab);
    fact->setToolTip(QString::fromLatin1(kFactToolTip));
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(fact);
    return tab;
}

QWidget* LeafPane::MakePicturesTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QGridLayout(tab);
    const QString captions[] = {tr("&Set..."), tr("Clear"), tr("S&et..."), tr("Clea&r"),
                                tr("From &Color")};
    const auto button = [&](int index, QWidget* parent) {
        auto* pressed = new QPushButton(captions[index], parent);
        pressed->setObjectName(QStringLiteral("cmdAction_%1").arg(index));
        connect(pressed, &QPushButton::clicked, this, [this, index] {
            Apply([&] {
                return document_.PressLeafPictureButton(
                    item_, static_cast<CDocument::PictureAction>(index));
            });
        });
        return pressed;
    };
    const auto group = [&](const QString& title, PicturePreview*& preview, const char* name,
                           std::initializer_list<int> buttons) {
        auto* box = new QGroupBox(title, tab);
        preview = new PicturePreview(kSlidePictureSize, box);
        preview->setObjectName(QString::fromLatin1(name));
        auto* column = new QVBoxLayout;
        for (const int index : buttons) {
            column->addWidget(button(index, box));
        }
        column->addStretch();
        auto* row = new QHBoxLayout(box);
        row->addWidget(preview, 0, Qt::AlignTop);
        row->addLayout(column);
        return box;
    };
    layout->addWidget(group(tr("Color Bitmap"), color_, "picColor", {0, 1}), 0, 0);
    layout->addWidget(group(tr("Monochrome Bitmap"), monochrome_, "picMono", {2, 3, 4}), 0, 1);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(2, 1);
    return tab;
}

template <class Change>
void LeafPane::Apply(Change&& change) {
    if (filling_ || item_ == 0) {
        return;
    }
    change();
    // The document may have refused or changed more than the control shows.
    if (document_.Tree().IsLive(item_)) {
        Show(item_, DescribePane(document_, item_));
    }
}

void LeafPane::Show(int item, const PaneContent& content) {
    item_ = item;
    filling_ = true;
    boxes_.Fill({TextField::LeafTitle, TextField::PageNumber, TextField::Question,
                 TextField::Answer1, TextField::Answer2, TextField::Answer3, TextField::Answer4,
                 TextField::Fact});
    difficulty_->setCurrentIndex(difficulty_->findData(content.difficulty));
    difficulty_->setEnabled(content.difficultyEnabled);
    difficultyLabel_->setEnabled(content.difficultyEnabled);
    questionTab_->setEnabled(content.questionEnabled);
    path_->setText(FromCore(content.path));
    for (std::size_t index = 0; index < switches_.size(); ++index) {
        switches_[index]->setChecked(content.switches[index]);
    }
    ShowSeeAlso(content);
    ShowPictures();
    filling_ = false;
    UpdatePreview();
}

void LeafPane::ShowSeeAlso(const PaneContent& content) {
    for (std::size_t list = 0; list < seeAlso_.size(); ++list) {
        seeAlso_[list]->setCurrentIndex(seeAlsoChoices_->RowOf(content.seeAlso[list]));
    }
}

void LeafPane::ShowPictures() {
    const CLeaf* leaf =
        document_.Tree().IsLive(item_) ? document_.Tree().Entry(item_).Leaf.get() : nullptr;
    color_->Show(leaf ? leaf->ColorBitmap().get() : nullptr, FromCore(SplashViewNote(true, false)));
    monochrome_->Show(leaf ? leaf->MonochromeBitmap().get() : nullptr,
                      FromCore(SplashViewNote(false, false)));
}

void LeafPane::UpdatePreview() {
    // Drawn only while its tab shows.
    if (tabs_->currentWidget() == preview_ && item_ != 0) {
        preview_->ShowItem(item_);
    }
}

QWidget* LeafPane::Reveal(DocumentControl control) {
    TextField field = TextField::LeafTitle;
    QWidget* widget = nullptr;
    switch (control) {
        case DocumentControl::LeafTitle:
            field = TextField::LeafTitle;
            break;
        case DocumentControl::Question:
            field = TextField::Question;
            break;
        case DocumentControl::FirstAnswer:
            field = TextField::Answer1;
            break;
        case DocumentControl::SecondAnswer:
            field = TextField::Answer2;
            break;
        case DocumentControl::Difficulty:
            widget = difficulty_;
            break;
        case DocumentControl::ColorBitmapButton:
            widget = findChild<QPushButton*>(QStringLiteral("cmdAction_0"));
            break;
        case DocumentControl::SeeAlso1:
        case DocumentControl::SeeAlso2:
        case DocumentControl::SeeAlso3:
            widget = seeAlso_[static_cast<std::size_t>(
                static_cast<int>(control) - static_cast<int>(DocumentControl::SeeAlso1))];
            break;
        default:
            return nullptr;
    }
    if (widget == nullptr) {
        widget = boxes_.Box(field);
    }
    for (int tab = 0; tab < tabs_->count(); ++tab) {
        if (tabs_->widget(tab)->isAncestorOf(widget)) {
            tabs_->setCurrentIndex(tab);
        }
    }
    return widget;
}

}  // namespace trovique::gui
