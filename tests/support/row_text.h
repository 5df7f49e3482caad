#pragma once
// A summary row as one text, so that two rows compare in one expectation.

#include <string>

#include "record/save_record.h"

namespace vsl::testing {

// Every field of `row`, the seven histories included; floating values with all their digits.
std::string RowText(const TSaveDataRec& row);

}  // namespace vsl::testing
