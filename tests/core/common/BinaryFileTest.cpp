#include "core/common/BinaryFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/common/DiskFile.h"
#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Kind { Memory, Disk };

// Opens a memory file or a disk file in a scratch folder holding the given bytes.
class BinaryFileTest : public testing::TestWithParam<Kind> {
protected:
    std::unique_ptr<CBinaryFile> Open(const Bytes& contents) {
        if (GetParam() == Kind::Memory) {
            return std::make_unique<CMemoryFile>(contents);
        }
        test::WriteAllBytes(Path(), contents);
        return std::make_unique<CDiskFile>(Path(), CDiskFile::Mode::Update);
    }

    std::filesystem::path Path() const { return scratch_ / "file.bin"; }

    // What the file holds once closed, read independently of the class under test.
    Bytes Contents(CBinaryFile& file) {
        if (auto* memory = dynamic_cast<CMemoryFile*>(&file)) {
            return memory->Data();
        }
        dynamic_cast<CDiskFile&>(file).Close();
        const auto bytes = test::ReadAllBytes(Path());
        return Bytes(bytes.begin(), bytes.end());
    }

    test::ScratchDir scratch_;
};

void ExpectPastEnd(const std::function<void()>& read) {
    try {
        read();
        FAIL() << "read past the end";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), 62u);
        EXPECT_EQ(error.Description(), "Input past end of file.");
    }
}

TEST_P(BinaryFileTest, ReadPastEndRaisesAndLeavesThePosition) {
    auto file = Open(Bytes{'a', 'b', 'c', 'd', 'e'});
    file->Seek(3);
    Bytes three(3);
    ExpectPastEnd([&] { file->Read(three); });
    EXPECT_EQ(file->Position(), 3u);
    ExpectPastEnd([&] { file->Skip(3); });
    EXPECT_EQ(file->Position(), 3u);

    Bytes two(2);
    file->Read(two);
    EXPECT_EQ(two, (Bytes{'d', 'e'}));
    EXPECT_TRUE(file->AtEnd());
    ExpectPastEnd([&] { file->ReadByte(); });
    EXPECT_EQ(file->Position(), 5u);

    file->Seek(9);
    EXPECT_EQ(file->Remaining(), 0u);
    ExpectPastEnd([&] { file->ReadByte(); });
    Bytes none;
    file->Read(none);  // an empty read past the end asks for nothing
    EXPECT_EQ(file->Position(), 9u);
}

// Reads, writes and seeks in a fixed pseudo-random order, checked against a plain byte vector
// after every step: catches a stale position after a change between reading and writing.
TEST_P(BinaryFileTest, MixedReadsWritesAndSeeksMatchAModel) {
    Bytes model = {10, 20, 30, 40, 50, 60, 70, 80};
    auto file = Open(model);
    std::uint64_t position = 0;
    std::uint32_t seed = 12345;
    auto next = [&](std::uint32_t bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % bound;
    };
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        const std::uint32_t action = next(5);
        const std::size_t count = 1 + next(6);
        if (action == 0) {
            position = next(static_cast<std::uint32_t>(model.size() + 4));
            file->Seek(position);
        } else if (action <= 2) {
            Bytes data(count);
            for (auto& byte : data) {
                byte = static_cast<std::uint8_t>(next(256));
            }
            file->Write(data);
            if (position + count > model.size()) {
                model.resize(position + count, 0);
            }
            std::copy(data.begin(), data.end(), model.begin() + static_cast<long>(position));
            position += count;
        } else if (position + count <= model.size()) {
            Bytes data(count);
            file->Read(data);
            ASSERT_EQ(data, Bytes(model.begin() + static_cast<long>(position),
                                  model.begin() + static_cast<long>(position + count)));
            position += count;
        } else {
            Bytes data(count);
            ExpectPastEnd([&] { file->Read(data); });
        }
        ASSERT_EQ(file->Position(), position);
        ASSERT_EQ(file->Size(), model.size());
    }
    EXPECT_EQ(Contents(*file), model);
}

INSTANTIATE_TEST_SUITE_P(BothKinds, BinaryFileTest, testing::Values(Kind::Memory, Kind::Disk),
                         [](const testing::TestParamInfo<Kind>& param) {
                             return param.param == Kind::Memory ? "Memory" : "Disk";
                         });

struct OpenFailureCase {
    const char* name;
    const char* path;  // relative to a scratch folder
    CDiskFile::Mode mode;
    std::uint32_t error;

    friend void PrintTo(const OpenFailureCase& c, std::ostream* os) { *os << c.name; }
};

class CDiskFileOpenTest : public testing::TestWithParam<OpenFailureCase> {};

TEST_P(CDiskFileOpenTest, RaisesTheRunTimeErrorOfTheFailure) {
    test::ScratchDir scratch;
    std::filesystem::create_directory(scratch / "folder");
    try {
        CDiskFile file(scratch / GetParam().path, GetParam().mode);
        FAIL() << "opened";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), GetParam().error);
        EXPECT_NE(error.Description().find(GetParam().path), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CDiskFileOpenTest,
    testing::Values(OpenFailureCase{"MissingForReading", "missing.sdb", CDiskFile::Mode::Read, 53},
                    OpenFailureCase{"MissingForUpdate", "missing.sdb", CDiskFile::Mode::Update, 53},
                    OpenFailureCase{"CreateInMissingFolder", "nowhere/new.sdb",
                                    CDiskFile::Mode::Create, 75},
                    OpenFailureCase{"FolderForReading", "folder", CDiskFile::Mode::Read, 75},
                    OpenFailureCase{"FolderForCreating", "folder", CDiskFile::Mode::Create, 75}),
    [](const testing::TestParamInfo<OpenFailureCase>& param) { return param.param.name; });

TEST(CDiskFileTest, CreateTruncatesAndUpdateKeepsTheContents) {
    test::ScratchDir scratch;
    const auto path = scratch / "data.pdb";
    test::WriteAllBytes(path, {1, 2, 3, 4});
    {
        CDiskFile file(path, CDiskFile::Mode::Update);
        EXPECT_EQ(file.Size(), 4u);
        file.Seek(1);
        file.WriteByte(7);
        file.Close();
    }
    EXPECT_EQ(test::ReadAllBytes(path), (std::vector<unsigned char>{1, 7, 3, 4}));
    {
        CDiskFile file(path, CDiskFile::Mode::Create);
        EXPECT_EQ(file.Size(), 0u);
        file.WriteByte(9);
        file.Close();
    }
    EXPECT_EQ(test::ReadAllBytes(path), (std::vector<unsigned char>{9}));
}

TEST(CDiskFileTest, CloseReportsDataThatCouldNotBeWritten) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    CDiskFile file("/dev/full", CDiskFile::Mode::Create);
    file.Write(Bytes(100, 1));  // buffered; the failure shows when the data is flushed
    try {
        file.Close();
        FAIL() << "a failed write was reported as success";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), 75u);
    }
}

}  // namespace
}  // namespace trovique
