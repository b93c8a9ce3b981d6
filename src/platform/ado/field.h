// Field: one column of a Recordset's current row, read and assigned by name or position.
#pragma once

#include <cstddef>
#include <string>

#include "vb/variant.h"

namespace platform::ado {

class Recordset;

// A column of an open Recordset. Obtained by reference from `rs("Name")`, `rs(0)` or
// `rs.Fields().Item(...)`; it belongs to the Recordset and is valid until the Recordset is
// closed or reopened. Not copyable: `rs("a") = other("b")` assigns the other field's value.
// Errors carry the line of the statement that looked the field up.
class Field final : public vb::Object {
 public:
  Field(Recordset& owner, std::size_t index);
  Field(const Field&) = delete;

  std::string type_name() const override { return "Field"; }
  vb::Variant default_value(vb::Here where = vb::Here::current()) const override;

  // The column name as the database gave it.
  const std::string& Name() const;
  // The value in the current row (Null for a NULL column). 3021 without a current record.
  vb::Variant Value() const;
  operator vb::Variant() const { return Value(); }

  // Sets the value in the current row (the row being added after AddNew, else the current row,
  // which Update then writes back). 3021 without a current record, 3251 on a read-only recordset.
  Field& operator=(const vb::Variant& value);
  Field& operator=(const Field& other);

 private:
  friend class Recordset;
  Recordset* owner_;
  std::size_t index_;
  vb::Here where_;  // the statement that looked the field up, for the line of an error
};

}  // namespace platform::ado
