// Recordset: rows in memory, the current-row cursor, and AddNew/Update through the driver.
#include "platform/ado/recordset.h"

#include <algorithm>
#include <numeric>

#include "platform/ado/ado_error.h"
#include "platform/ado/ascii.h"
#include "platform/ado/connection.h"
#include "platform/ado/connection_link.h"
#include "platform/ado/tsql_dialect.h"
#include "vb/builtins.h"

namespace platform::ado {
namespace {

// A result at least this wide, once looked up by name this often, finds its columns through an
// index sorted by name: a form's main table has a column per field and the page reads each of
// them by name, while most results answer a few look-ups, which a scan serves sooner.
constexpr std::size_t kIndexedColumns = 32;
constexpr std::size_t kIndexedLookups = 16;

}  // namespace

long FieldCollection::Count() const {
  return owner_->open_ ? static_cast<long>(owner_->rows_.column_count()) : 0;
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
  std::string converted;
  const std::string_view text = sql_text_of(sql, converted, where);
  if (!link->driver->execute(text, rows_, link->timeout(), where)) return;
  hold(link, text, cursor_type, lock_type);
}

void Recordset::hold(const std::shared_ptr<ConnectionLink>& link, std::string_view sql,
                     int cursor_type, int lock_type) {
  // Reopening on the same statement (the usual loop) keeps the Field objects.
  if (rows_.columns() != field_columns_) {
    field_columns_ = rows_.columns();
    fields_ = std::make_unique<std::optional<Field>[]>(rows_.column_count());
    by_name_.clear();
    scans_ = 0;
    if (rows_.column_count() >= kIndexedColumns) by_name_.reserve(rows_.column_count());
  }
  link_ = link;
  sql_.assign(sql);
  cursor_type_ = cursor_type;
  lock_type_ = lock_type;
  position_ = 0;
  added_ = 0;
  edited_.clear();
  adding_ = false;
  changed_.clear();
  original_.clear();
  open_ = true;
}

void Recordset::require_open(vb::Here where) const {
  if (!open_) raise_ado(kObjectClosed, where);
}

bool Recordset::pending() const {
  return adding_ || std::find(changed_.begin(), changed_.end(), true) != changed_.end();
}

long Recordset::RecordCount(vb::Here where) const {
  require_open(where);
  if (cursor_type_ == kForwardOnly || cursor_type_ == kDynamic) return -1;
  return static_cast<long>(row_count());
}

bool Recordset::EOF_(vb::Here where) const {
  require_open(where);
  return !has_current_row();
}

bool Recordset::BOF(vb::Here where) const {
  require_open(where);
  return row_count() == 0;
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
  const std::size_t n = rows_.column_count();
  std::size_t index = n;
  if (key.is_string()) {
    index = column_position(key.str());
  } else if (!key.is_empty() && !key.is_null()) {
    const long i = vb::CLng(key, where);
    if (i >= 0) index = std::min(static_cast<std::size_t>(i), n);
  }
  if (index == n) raise_ado(kItemNotFound, where);
  std::optional<Field>& found = fields_[index];
  if (!found) found.emplace(*this, index);
  found->where_ = where;
  return *found;
}

std::size_t Recordset::column_position(std::string_view name) {
  const std::size_t n = rows_.column_count();
  if (n < kIndexedColumns || (by_name_.empty() && ++scans_ < kIndexedLookups)) {
    for (std::size_t i = 0; i < n; ++i) {
      if (ascii_iequals(column_name(i), name)) return i;
    }
    return n;
  }
  if (by_name_.empty()) {  // the room was made with the Fields: no allocation here
    by_name_.resize(n);
    std::iota(by_name_.begin(), by_name_.end(), std::size_t{0});
    std::sort(by_name_.begin(), by_name_.end(), [&](std::size_t a, std::size_t b) {
      const std::string_view x = column_name(a), y = column_name(b);
      return ascii_iless(x, y) || (!ascii_iless(y, x) && a < b);
    });
  }
  const auto found = std::lower_bound(by_name_.begin(), by_name_.end(), name,
                                      [&](std::size_t column, std::string_view wanted) {
                                        return ascii_iless(column_name(column), wanted);
                                      });
  return found != by_name_.end() && ascii_iequals(column_name(*found), name) ? *found : n;
}

vb::Variant Recordset::value_at(std::size_t column, vb::Here where) const {
  require_open(where);
  if (!has_current_row()) raise_ado(kNoCurrentRecord, where);
  const auto edited = edited_.find(position_);
  return edited != edited_.end() ? edited->second[column] : rows_.value(position_, column);
}

void Recordset::assign(std::size_t column, const vb::Variant& value, vb::Here where) {
  require_open(where);
  if (lock_type_ == kReadOnly) raise_ado(kNotUpdatable, where);
  if (!has_current_row()) raise_ado(kNoCurrentRecord, where);
  auto edited = edited_.find(position_);
  if (edited == edited_.end()) edited = edited_.emplace(position_, rows_.row(position_)).first;
  Row& row = edited->second;
  if (!pending()) original_ = row;
  // A Field assigned from another recordset's Field keeps the value, not the other field.
  vb::Variant holder;
  row[column] = value.value_ref(holder, where);
  changed_.resize(rows_.column_count(), false);
  changed_[column] = true;
}

void Recordset::AddNew(vb::Here where) {
  require_open(where);
  if (lock_type_ == kReadOnly) raise_ado(kNotUpdatable, where);
  if (pending()) Update(where);
  position_ = row_count();
  edited_.try_emplace(position_, rows_.column_count(), vb::Variant(vb::Null));
  ++added_;
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
  const ColumnNames& columns = *rows_.columns();
  changed_.resize(columns.size(), false);
  Row& row = edited_.at(position_);
  if (adding_) {
    row = link->driver->insert_row(table, columns, row, changed_, link->timeout(), where);
  } else {
    link->driver->update_row(table, columns, original_, row, changed_, link->timeout(), where);
  }
  adding_ = false;
  changed_.clear();
  original_.clear();
}

void Recordset::Close(vb::Here where) {
  require_open(where);
  open_ = false;
  link_.reset();
  rows_.start(field_columns_);
  added_ = 0;
  edited_.clear();
  adding_ = false;
  changed_.clear();
  original_.clear();
}

long Recordset::State() const { return open_ ? 1 : 0; }

}  // namespace platform::ado
