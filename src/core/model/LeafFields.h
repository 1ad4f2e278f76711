#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/common/BinaryFile.h"
#include "core/model/Element.h"

namespace trovique {

// The fields every leaf version has had: keys, page number, see-also slots, the question with
// its four answers, the fact and the difficulty, with their limits. CLeaf, CLeaf22 and CLeaf21
// add what their version knew besides.
class CLeafFields : public IElement {
public:
    static constexpr std::size_t kMaxTitle = 255;
    static constexpr std::size_t kMaxQuestion = 250;
    static constexpr std::size_t kMaxFact = 10000;
    // Stored limit of each answer; longer answers are cut when written.
    static constexpr std::size_t kMaxStoredAnswer = 110;
    static constexpr int kNumAnswers = 4;
    static constexpr int kNumSeeAlso = 3;
    static constexpr int kMaxDifficulty = 7;

    std::uint16_t Key() const override { return key_; }
    void SetKey(std::int64_t key) override;
    const std::string& Title() const override { return title_; }
    void SetTitle(std::string title) override;

    std::uint16_t ParentKey() const { return parentKey_; }
    void SetParentKey(std::int64_t key);
    // Page number of the leaf in the slide show's leaf order, 1 for the first.
    std::uint16_t LPI() const { return lpi_; }
    void SetLPI(std::int64_t page);

    const std::string& Question() const { return question_; }
    void SetQuestion(std::string question);
    const std::string& Fact() const { return fact_; }
    void SetFact(std::string fact);
    // Answer 1 is the correct one. index 1..4, else 0x80040003.
    const std::string& GetAnswer(int index) const;
    void SetAnswer(int index, std::string answer);
    // 0..7; the three top bits of a stored flag byte hold it.
    std::uint8_t Difficulty() const { return difficulty_; }
    void SetDifficulty(int difficulty);

    // See-also slot 1..3 as text, the way the editor shows it; else 0x80040003.
    std::string GetSeeAlsoID(int slot) const;
    // Stores the number the text starts with; text that is not a number stores 0.
    void SetSeeAlsoID(int slot, std::string_view text);
    // The same slots as numbers.
    std::uint16_t SeeAlso(int slot) const;
    void SetSeeAlso(int slot, std::int64_t key);

protected:
    CLeafFields() = default;

    // Key, ParentKey, LPI and the three see-also slots, as they follow the record type.
    void ReadKeys(CBinaryFile& file);
    void WriteKeys(CBinaryFile& file) const;
    // The question and the four answers of a QAF record.
    void ReadQuestionAndAnswers(CBinaryFile& file);
    void WriteQuestionAndAnswers(CBinaryFile& file) const;
    void ReadFactText(CBinaryFile& file);
    void WriteFactText(CBinaryFile& file) const;

private:
    std::uint16_t key_ = 0;
    std::uint16_t parentKey_ = 0;
    std::uint16_t lpi_ = 0;
    std::array<std::uint16_t, kNumSeeAlso> seeAlso_{};
    std::string title_;
    std::string question_;
    std::array<std::string, kNumAnswers> answers_;
    std::string fact_;
    std::uint8_t difficulty_ = 0;
};

}  // namespace trovique
