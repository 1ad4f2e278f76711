#pragma once

#include "core/model/LeafFields.h"

namespace trovique {

// A leaf of a version-21 file: a question with its answers, a fact and a difficulty, without
// switches or kind. It is kept for converting old leaves (CLeaf::Clone21, CLeaf22::Clone21);
// leaf records are read in the current layout, so this class has no reader of its own.
class CLeaf21 final : public CLeafFields {};

}  // namespace trovique
