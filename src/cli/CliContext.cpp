#include "cli/CliContext.h"

#include <iostream>

#include "core/settings/ProgramFolder.h"

namespace trovique::cli {

CCliContext::CCliContext(AnswerPolicy answers)
    : ui_(std::cin, std::cerr, CTerminalUserInterface::ProcessOptions(answers)),
      services_{store_, ui_},
      application_(store_, ProgramDataFolder()) {}

PalmPalettes CCliContext::Palettes() const {
    return application_.Palettes();
}

std::unique_ptr<CDocument> CCliContext::NewDocument() {
    return std::make_unique<CDocument>(services_, Palettes());
}

}  // namespace trovique::cli
