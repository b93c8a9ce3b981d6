// Field: reads and writes go to the owning Recordset's current row.
#include "platform/ado/field.h"

#include "platform/ado/recordset.h"

namespace platform::ado {

Field::Field(Recordset& owner, std::size_t index)
    : owner_(&owner), index_(index), where_(vb::Here::current()) {}

const std::string& Field::Name() const { return owner_->column_name(index_); }

vb::Variant Field::default_value(vb::Here where) const { return owner_->value_at(index_, where); }

vb::Variant Field::Value() const { return owner_->value_at(index_, where_); }

Field& Field::operator=(const vb::Variant& value) {
  owner_->assign(index_, value, where_);
  return *this;
}

Field& Field::operator=(const Field& other) {
  owner_->assign(index_, other.Value(), where_);
  return *this;
}

}  // namespace platform::ado
