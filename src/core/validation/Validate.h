#pragma once

#include "core/validation/ValidationLimit.h"

namespace trovique {

class CDocument;
class CValidationResults;

// Checks the whole slide show against the handheld's limits and obvious omissions, as the
// Validate command and every export do:
//  - results is hidden, emptied and given to document, then filled with every finding, item by
//    item in tree order, until the limit stops the run (which then ends with the stop entry);
//  - each record's Valid takes the outcome of its own rules; when any changes the document is
//    marked changed and its observers are told, so that the tree's pictures follow;
//  - when the run failed the first message is selected; the list is shown in any case, brought
//    to front when the run failed.
// Returns whether the slide show passed. An error ends the run: it is reported with the prefix
// "Validate error: ", the list keeps what was found so far, and the result is false.
bool Validate(CDocument& document, CValidationResults& results, const CValidationLimit& limit);

}  // namespace trovique
