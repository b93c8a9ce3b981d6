// Recordset: rows in memory, the current-row cursor, and AddNew/Update through the driver.
#include "platform/ado/recordset.h"

#include <algorithm>

#include "platform/ado/ado_error.h"
#include "platform/ado/ascii.h"
#include "platform/ado/connection.h"
#include "platform/ado/connection_link.h"
#include "platform/ado/tsql_dialect.h"
#include "vb/builtins.h"

namespace platform::ado {

long FieldCollection::Count() const {
  return owner_->open_ ? static_cast<long>(owner_->fields_.size()) : 0;
}

Field& FieldCollection::Item(const vb::Variant& name_or_index, vb::Here where) {
  return owner_->field(name_or_index, where);
}

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

void Recordset::Open(const vb::Variant& sql, const vb::Variant& connection, int cursor_type,
                     int lock_type, vb::Here where) {
  Open(sql, connection.as<Connection>(where), cursor_type, lock_type, where);
}

void Recordset::Open(const vb::Variant& sql, Connection& connection, int cursor_type,
                     int lock_type, vb::Here where) {
  if (open_) raise_ado(kObjectOpen, where);
  std::shared_ptr<ConnectionLink> link = connection.link(where);
  std::string text = vb::CStr(sql, where);
  ResultSet result;
  if (!link->driver->execute(text, result, link->timeout(), where)) return;
  hold(link, std::move(result), std::move(text), cursor_type, lock_type);
}

void Recordset::hold(const std::shared_ptr<ConnectionLink>& link, ResultSet&& result,
                     std::string sql, int cursor_type, int lock_type) {
  // Reopening on the same columns (the usual loop) keeps the Field objects.
  const bool same_columns =
      fields_.size() == result.columns.size() &&
      std::equal(fields_.begin(), fields_.end(), result.columns.begin(),
                 [](const auto& f, const std::string& name) { return f->Name() == name; });
  if (!same_columns) {
    fields_.clear();
    for (std::size_t i = 0; i < result.columns.size(); ++i) {
      fields_.push_back(std::make_unique<Field>(*this, i, std::move(result.columns[i])));
    }
  }
  link_ = link;
  rows_ = std::move(result.rows);
  sql_ = std::move(sql);
  cursor_type_ = cursor_type;
  lock_type_ = lock_type;
  position_ = 0;
  adding_ = false;
  changed_.assign(fields_.size(), false);
  original_.clear();
  open_ = true;
}

void Recordset::require_open(vb::Here where) const {
  if (!open_) raise_ado(kObjectClosed, where);
}

bool Recordset::pending() const {
  return adding_ || std::find(changed_.begin(), changed_.end(), true) != changed_.end();
}

bool Recordset::has_current_row() const { return position_ < rows_.size(); }

long Recordset::RecordCount(vb::Here where) const {
  require_open(where);
  if (cursor_type_ == kForwardOnly || cursor_type_ == kDynamic) return -1;
  return static_cast<long>(rows_.size());
}

bool Recordset::EOF_(vb::Here where) const {
  require_open(where);
  return !has_current_row();
}

bool Recordset::BOF(vb::Here where) const {
  require_open(where);
  return rows_.empty();
}

void Recordset::MoveNext(vb::Here where) {
  require_open(where);
  if (pending()) Update(where);
  if (!has_current_row()) raise_ado(kNoCurrentRecord, where);
  ++position_;
}

void Recordset::MoveFirst(vb::Here where) {
  require_open(where);
  if (pending()) Update(where);
  position_ = 0;
}

Field& Recordset::operator()(const vb::Variant& name_or_index, vb::Here where) {
  return field(name_or_index, where);
}

Field& Recordset::field(const vb::Variant& key, vb::Here where) {
  require_open(where);
  Field* found = nullptr;
  if (key.is_string()) {
    for (const auto& f : fields_) {
      if (ascii_iequals(f->Name(), key.str())) {
        found = f.get();
        break;
      }
    }
  } else if (!key.is_empty() && !key.is_null()) {
    const long index = vb::CLng(key, where);
    if (index >= 0 && static_cast<std::size_t>(index) < fields_.size()) found = fields_[index].get();
  }
  if (found == nullptr) raise_ado(kItemNotFound, where);
  found->where_ = where;
  return *found;
}

vb::Variant Recordset::value_at(std::size_t column, vb::Here where) const {
  require_open(where);
  if (!has_current_row()) raise_ado(kNoCurrentRecord, where);
  return rows_[position_][column];
}

void Recordset::assign(std::size_t column, const vb::Variant& value, vb::Here where) {
  require_open(where);
  if (lock_type_ == kReadOnly) raise_ado(kNotUpdatable, where);
  if (!has_current_row()) raise_ado(kNoCurrentRecord, where);
  if (!pending()) original_ = rows_[position_];
  // A Field assigned from another recordset's Field keeps the value, not the other field.
  vb::Variant holder;
  rows_[position_][column] = value.value_ref(holder, where);
  changed_[column] = true;
}

void Recordset::AddNew(vb::Here where) {
  require_open(where);
  if (lock_type_ == kReadOnly) raise_ado(kNotUpdatable, where);
  if (pending()) Update(where);
  rows_.emplace_back(fields_.size(), vb::Variant(vb::Null));
  position_ = rows_.size() - 1;
  adding_ = true;
}

void Recordset::Update(vb::Here where) {
  require_open(where);
  if (lock_type_ == kReadOnly) raise_ado(kNotUpdatable, where);
  if (!pending()) return;
  if (!has_current_row()) raise_ado(kNoCurrentRecord, where);
  const std::string table = updatable_table(sql_);
  if (table.empty()) {
    raise_ado(kProviderFailed, "Insufficient base table information for updating or refreshing.",
              where);
  }
  std::shared_ptr<ConnectionLink> link = link_.lock();
  if (!link) raise_ado(kConnectionUnusable, where);
  std::vector<std::string> columns;
  columns.reserve(fields_.size());
  for (const auto& f : fields_) columns.push_back(f->Name());
  if (adding_) {
    rows_[position_] = link->driver->insert_row(table, columns, rows_[position_], changed_,
                                                link->timeout(), where);
  } else {
    link->driver->update_row(table, columns, original_, rows_[position_], changed_,
                             link->timeout(), where);
  }
  adding_ = false;
  changed_.assign(fields_.size(), false);
  original_.clear();
}

void Recordset::Close(vb::Here where) {
  require_open(where);
  open_ = false;
  link_.reset();
  rows_.clear();
  adding_ = false;
  changed_.assign(fields_.size(), false);
  original_.clear();
}

long Recordset::State() const { return open_ ? 1 : 0; }

}  // namespace platform::ado
