// The error numbers and texts of the data-access layer, as the page and the event log show them.
#pragma once

#include <string>

#include "vb/variant.h"

namespace platform::ado {

inline constexpr long kNoCurrentRecord = 3021;
inline constexpr long kNotUpdatable = 3251;
inline constexpr long kItemNotFound = 3265;
inline constexpr long kObjectClosed = 3704;
inline constexpr long kObjectOpen = 3705;
inline constexpr long kConnectionUnusable = 3709;
// A statement the database rejects; the description is the database's own message.
inline constexpr long kCommandFailed = -2147217900;
// An Update whose row is no longer there.
inline constexpr long kRowNotFound = -2147217864;
// A statement stopped by the connection's CommandTimeout.
inline constexpr long kCommandTimeout = -2147217871;
// Unspecified provider failure: a database that cannot be opened, a row that cannot be keyed.
inline constexpr long kProviderFailed = -2147467259;

// Raises `number` with its standard text (3021, 3251, 3265, 3704, 3705, 3709, -2147217871).
[[noreturn]] void raise_ado(long number, vb::Here where);
// Raises `number` with the given description (database messages).
[[noreturn]] void raise_ado(long number, std::string description, vb::Here where);

}  // namespace platform::ado
