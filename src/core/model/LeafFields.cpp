#include "core/model/LeafFields.h"

#include "core/common/Error.h"
#include "core/model/RecordFields.h"

namespace trovique {
namespace {

std::size_t CheckedIndex(int index, int count, const char* source) {
    if (index < 1 || index > count) {
        throw CError::Object(kErrValueOutOfRange, source);
    }
    return static_cast<std::size_t>(index - 1);
}

}  // namespace

void CLeafFields::SetKey(std::int64_t key) {
    key_ = record::CheckedWord(key);
}

void CLeafFields::SetTitle(std::string title) {
    record::CheckLength(title, kMaxTitle, "CLEAF:Let Title");
    title_ = std::move(title);
}

void CLeafFields::SetParentKey(std::int64_t key) {
    parentKey_ = record::CheckedWord(key);
}

void CLeafFields::SetLPI(std::int64_t page) {
    lpi_ = record::CheckedWord(page);
}

void CLeafFields::SetQuestion(std::string question) {
    record::CheckLength(question, kMaxQuestion, "CLEAF:Let Question");
    question_ = std::move(question);
}

void CLeafFields::SetFact(std::string fact) {
    record::CheckLength(fact, kMaxFact, "CLEAF:Let Fact");
    fact_ = std::move(fact);
}

const std::string& CLeafFields::GetAnswer(int index) const {
    return answers_[CheckedIndex(index, kNumAnswers, "CLEAF:GetAnswer")];
}

void CLeafFields::SetAnswer(int index, std::string answer) {
    answers_[CheckedIndex(index, kNumAnswers, "CLEAF:SetAnswer")] = std::move(answer);
}

void CLeafFields::SetDifficulty(int difficulty) {
    // A larger value would spill out of the three bits it is stored in.
    if (difficulty < 0 || difficulty > kMaxDifficulty) {
        throw CError::Object(kErrValueOutOfRange, "CLEAF:Let Difficulty");
    }
    difficulty_ = static_cast<std::uint8_t>(difficulty);
}

std::string CLeafFields::GetSeeAlsoID(int slot) const {
    return std::to_string(seeAlso_[CheckedIndex(slot, kNumSeeAlso, "CLEAF:GetSeeAlsoID")]);
}

void CLeafFields::SetSeeAlsoID(int slot, std::string_view text) {
    const std::size_t at = CheckedIndex(slot, kNumSeeAlso, "CLEAF:SetSeeAlsoID");
    seeAlso_[at] = record::CheckedWord(record::LeadingNumber(text));
}

std::uint16_t CLeafFields::SeeAlso(int slot) const {
    return seeAlso_[CheckedIndex(slot, kNumSeeAlso, "CLEAF:GetSeeAlsoID")];
}

void CLeafFields::SetSeeAlso(int slot, std::int64_t key) {
    const std::size_t at = CheckedIndex(slot, kNumSeeAlso, "CLEAF:SetSeeAlsoID");
    seeAlso_[at] = record::CheckedWord(key);
}

void CLeafFields::ReadKeys(CBinaryFile& file) {
    key_ = record::ReadWord(file);
    parentKey_ = record::ReadWord(file);
    lpi_ = record::ReadWord(file);
    for (auto& slot : seeAlso_) {
        slot = record::ReadWord(file);
    }
}

void CLeafFields::WriteKeys(CBinaryFile& file) const {
    record::WriteWord(file, key_);
    record::WriteWord(file, parentKey_);
    record::WriteWord(file, lpi_);
    for (const auto slot : seeAlso_) {
        record::WriteWord(file, slot);
    }
}

void CLeafFields::ReadQuestionAndAnswers(CBinaryFile& file) {
    SetQuestion(record::ReadVarText(file, kMaxQuestion));
    for (auto& answer : answers_) {
        std::string text = record::ReadVarText(file, kMaxStoredAnswer);
        // Longer means the field had no terminator where it must: the record is damaged.
        record::CheckLength(text, kMaxStoredAnswer, "CLEAF:ReadFromFile");
        answer = std::move(text);
    }
}

void CLeafFields::WriteQuestionAndAnswers(CBinaryFile& file) const {
    record::WriteVarText(file, question_, kMaxQuestion);
    for (const auto& answer : answers_) {
        record::WriteVarText(file, answer, kMaxStoredAnswer);
    }
}

void CLeafFields::ReadFactText(CBinaryFile& file) {
    SetFact(record::ReadVarText(file, kMaxFact));
}

void CLeafFields::WriteFactText(CBinaryFile& file) const {
    record::WriteVarText(file, fact_, kMaxFact);
}

}  // namespace trovique
