#pragma once
// A summary row as one text, so that two rows compare in one expectation.

#include <ostream>
#include <string>

#include "record/save_record.h"

namespace vsl::testing {

// Every field of `row`, the seven histories included; floating values with all their digits.
std::string RowText(const TSaveDataRec& row);

}  // namespace vsl::testing

namespace vsl {
// How a test's failure message shows a row.
void PrintTo(const TSaveDataRec& row, std::ostream* out);
}  // namespace vsl
