// Texts, switches, difficulty and See-Also links of the panes, and the term dialog's rules.

#include <algorithm>
#include <functional>

#include "core/codec/Windows1252.h"
#include "core/editor/ContentEdit.h"
#include "core/editor/Document.h"
#include "core/editor/PaneContent.h"
#include "core/model/Leaf.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {
namespace content {

CLeaf* LeafForEdit(CDocument& document, int item) {
    if (!document.Tree().IsLive(item) || !document.Tree().Entry(item).Leaf) {
        throw CError(kErrInvalidValue, "frmDocument:Leaf",
                     "Invalid value. Item " + std::to_string(item) + " is not a slide.");
    }
    if (document.IsLeafLocked(item)) {
        ReportMessage(document.Services().ui, CDocument::kLockedLeafNotice, kStyleInformation);
        return nullptr;
    }
    return document.Tree().Entry(item).Leaf.get();
}

}  // namespace content

namespace {

// Answers are stored with at most this many characters; the answer boxes hold no more.
constexpr std::size_t kMaxAnswer = CLeafFields::kMaxStoredAnswer;

// One text field: where its value is read and how it is written.
struct FieldAccess {
    std::string current;
    std::function<void(const std::string&)> write;
};

void CheckAnswerLength(const std::string& text) {
    if (text.size() > kMaxAnswer) {
        throw CError::Object(kErrDataTooLong, "frmDocument:Answer");
    }
}

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

}  // namespace

bool CDocument::SetFieldText(int item, TextField field, const std::string& text) {
    return content::Trapped(services_.ui, [&] {
        const bool leafField = field >= TextField::LeafTitle && field <= TextField::Fact;
        CLeaf* leaf = nullptr;
        if (leafField) {
            leaf = content::LeafForEdit(*this, item);
            if (leaf == nullptr) {
                return false;
            }
        }
        CNode& root = *tree_.Entry(tree_.GetNodeInfoIndexOfRoot()).Node;
        int relabelled = 0;
        FieldAccess access;
        switch (field) {
            case TextField::SlideShowTitle:
                relabelled = tree_.GetNodeInfoIndexOfRoot();
                access = {root.Title(), [&](const std::string& t) { root.SetTitle(t); }};
                break;
            case TextField::NodeTitle: {
                if (!tree_.IsLive(item) || tree_.Entry(item).ElemType != ElementKind::Node) {
                    throw CError::Object(kErrInvalidValue, "frmDocument:NodeTitle");
                }
                CNode& node = *tree_.Entry(item).Node;
                relabelled = item;
                access = {node.Title(), [&](const std::string& t) { node.SetTitle(t); }};
                break;
            }
            case TextField::LeafTitle:
                relabelled = item;
                access = {leaf->Title(), [&](const std::string& t) { leaf->SetTitle(t); }};
                break;
            case TextField::Question:
                access = {leaf->Question(), [&](const std::string& t) { leaf->SetQuestion(t); }};
                break;
            case TextField::Answer1:
            case TextField::Answer2:
            case TextField::Answer3:
            case TextField::Answer4: {
                const int answer =
                    static_cast<int>(field) - static_cast<int>(TextField::Answer1) + 1;
                access = {leaf->GetAnswer(answer), [&, answer](const std::string& t) {
                              CheckAnswerLength(t);
                              leaf->SetAnswer(answer, t);
                          }};
                break;
            }
            case TextField::Fact:
                access = {leaf->Fact(), [&](const std::string& t) { leaf->SetFact(t); }};
                break;
            case TextField::CreatorID:
                access = {properties_.Header().Creator(),
                          [&](const std::string& t) { properties_.Header().SetCreator(t); }};
                break;
            case TextField::ProgramIconName:
                access = {root.ProgramIconName(),
                          [&](const std::string& t) { root.SetProgramIconName(t); }};
                break;
            case TextField::SplashComments:
                access = {root.SplashComments(),
                          [&](const std::string& t) { root.SetSplashComments(t); }};
                break;
            case TextField::AboutComments:
                access = {root.AboutComments(),
                          [&](const std::string& t) { root.SetAboutComments(t); }};
                break;
            default:
                throw CError(
                    kErrInvalidValue, "frmDocument:Text1",
                    "Invalid value. No text box " + std::to_string(static_cast<int>(field)) + ".");
        }
        if (access.current == text) {
            return true;
        }
        access.write(text);
        ForceDirty(true);
        if (relabelled != 0) {
            tree_.NotifyItemChanged(relabelled, ItemAspect::Title);
        } else {
            const bool slideShowField = !leafField && field != TextField::NodeTitle;
            tree_.NotifyItemChanged(slideShowField ? tree_.GetNodeInfoIndexOfRoot() : item,
                                    ItemAspect::Content);
        }
        if (field == TextField::LeafTitle) {
            // The See-Also lists show the new title.
            tree_.NotifyDocumentChanged();
        }
        return true;
    });
}

bool CDocument::EditFieldText(int item, TextField field, const std::string& text) {
    return SetFieldText(item, field, Utf8ToWindows1252(FitToField(field, text)));
}

bool CDocument::SetLeafSwitch(int item, LeafSwitch which, bool on) {
    return content::Trapped(services_.ui, [&] {
        CLeaf* leaf = content::LeafForEdit(*this, item);
        if (leaf == nullptr) {
            return false;
        }
        if (which == LeafSwitch::PasswordProtect && on && properties_.Password().empty()) {
            ReportMessage(services_.ui,
                          "A password must be set before password protection can be enabled.",
                          kStyleInformation);
            EditPrefs();
            if (properties_.Password().empty()) {
                return false;
            }
        }
        bool changed = false;
        const auto set = [&](bool current, auto setter) {
            if (current != on) {
                (leaf->*setter)(on);
                changed = true;
            }
        };
        switch (which) {
            case LeafSwitch::Copyable:
                set(leaf->Copyable(), &CLeaf::SetCopyable);
                break;
            case LeafSwitch::Highlight:
                set(leaf->Highlight(), &CLeaf::SetHighlight);
                break;
            case LeafSwitch::PasswordProtect:
                set(leaf->PasswordProtect(), &CLeaf::SetPasswordProtect);
                break;
            case LeafSwitch::ReEdit:
                set(leaf->ReEdit(), &CLeaf::SetReEdit);
                break;
            default:
                throw CError::Object(kErrInvalidValue, "frmDocument:Check1");
        }
        if (changed) {
            ForceDirty(true);
            tree_.NotifyItemChanged(item, ItemAspect::Image | ItemAspect::Content);
        }
        return true;
    });
}

bool CDocument::SetLeafDifficulty(int item, int difficulty) {
    return content::Trapped(services_.ui, [&] {
        CLeaf* leaf = content::LeafForEdit(*this, item);
        if (leaf == nullptr) {
            return false;
        }
        // The list offers 1 to 5; a list without a selection changes nothing.
        if (difficulty < kMinDifficulty || difficulty > kMaxDifficulty) {
            throw CError::Object(kErrValueOutOfRange, "frmDocument:cboDifficulty");
        }
        if (leaf->Difficulty() != difficulty) {
            leaf->SetDifficulty(difficulty);
            ForceDirty(true);
            tree_.NotifyItemChanged(item, ItemAspect::Content);
        }
        return true;
    });
}

bool CDocument::SetLeafSeeAlso(int item, int slot, int target) {
    return content::Trapped(services_.ui, [&] {
        CLeaf* leaf = content::LeafForEdit(*this, item);
        if (leaf == nullptr) {
            return false;
        }
        const bool offered = std::find(tree_.SeeAlsoChoices().begin(), tree_.SeeAlsoChoices().end(),
                                       target) != tree_.SeeAlsoChoices().end();
        if (target != 0 && !offered) {
            throw CError(kErrInvalidValue, "frmDocument:cboSeeAlso",
                         "Invalid value. Item " + std::to_string(target) + " is not a slide.");
        }
        if (leaf->SeeAlso(slot) != target) {
            leaf->SetSeeAlso(slot, target);
            ForceDirty(true);
            tree_.NotifyItemChanged(item, ItemAspect::Content);
        }
        return true;
    });
}

// ---- Terms ----

std::string CDocument::TermDialogCaption(bool rename) {
    return rename ? "Rename Term" : "Add New Term";
}

std::string CDocument::AskTerm(bool rename, const std::string& current) const {
    TextQuestion question{TermDialogCaption(rename), "Enter New Term:", Windows1252ToUtf8(current),
                          false, CLeaf::kMaxTitle};
    question.accept = [this](const std::string& answer) {
        return IsTermAcceptable(Utf8ToWindows1252(answer));
    };
    const auto answer = AskText(services_.ui, question);
    return answer ? Utf8ToWindows1252(*answer) : std::string();
}

bool CDocument::IsTermAcceptable(const std::string& term) const {
    if (IsBlank(term)) {
        ReportMessage(services_.ui, "Term can not be blank.", kStyleExclamation);
        return false;
    }
    return true;
}

int CDocument::AddTerm(const std::string& term) {
    if (!IsTermAcceptable(term)) {
        return 0;
    }
    return AddGenNode(ElementKind::Leaf, term, nullptr, tree_.Selected(), Relationship::Child,
                      AddOptions::Refresh);
}

bool CDocument::RenameTerm(int item, const std::string& term) {
    return IsTermAcceptable(term) && SetLeafTitle(item, term);
}

}  // namespace trovique
