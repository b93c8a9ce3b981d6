// Recordset: the rows of one query held in memory, walked with MoveNext and read or written
// through Fields; new rows are added with AddNew/Update and read back with their new key.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/field.h"
#include "platform/ado/result_set.h"
#include "vb/variant.h"

namespace platform::ado {

class Connection;
struct ConnectionLink;

// Cursor types and lock types, as ADO numbers them.
inline constexpr int kForwardOnly = 0, kKeyset = 1, kDynamic = 2, kStatic = 3;
inline constexpr int kReadOnly = 1, kPessimistic = 2, kOptimistic = 3, kBatchOptimistic = 4;

// The columns of a Recordset. Count is 0 while the Recordset is closed.
class FieldCollection {
 public:
  explicit FieldCollection(Recordset& owner) : owner_(&owner) {}
  long Count() const;
  // By name (any letter case) or by 0-based position; 3265 when there is no such column.
  Field& Item(const vb::Variant& name_or_index, vb::Here where = vb::Here::current());

 private:
  Recordset* owner_;
};

// An open query result. Cursor types: 1 (keyset) and 3 (static) know their RecordCount;
// 0 (forward-only, as Connection::Execute returns) and 2 (dynamic) report -1. Lock type 1
// (read-only) refuses changes with 3251; 2, 3 and 4 allow AddNew and Update. Every operation
// but Open raises 3704 while the Recordset is closed. Used by one thread at a time.
class Recordset final : public vb::Object {
 public:
  Recordset();
  ~Recordset() override;
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  std::string type_name() const override { return "Recordset"; }

  // Runs the query `sql` on `connection` (a Variant holding a Connection, or the Connection
  // itself) and holds all its rows, positioned on the first (EOF and BOF when there are none).
  // A text that returns no rows (a statement) is run and leaves the Recordset closed.
  // Raises 3705 when already open, 3709 when the connection is closed, 424/13 when the Variant
  // holds no Connection, -2147217900 with the database's message when the query fails.
  void Open(const vb::Variant& sql, const vb::Variant& connection, int cursor_type = 1,
            int lock_type = 3, vb::Here where = vb::Here::current());
  void Open(const vb::Variant& sql, Connection& connection, int cursor_type = 1, int lock_type = 3,
            vb::Here where = vb::Here::current());

  // The number of rows (rows added by AddNew included), or -1 for a forward-only or dynamic cursor.
  long RecordCount(vb::Here where = vb::Here::current()) const;
  // Past the last row (EOF is a C macro, hence the underscore) / no row to stand on at all.
  bool EOF_(vb::Here where = vb::Here::current()) const;
  bool BOF(vb::Here where = vb::Here::current()) const;
  // To the next row; 3021 when already at EOF. MoveFirst goes back to the first row. A row
  // being added or changed is written first, as by Update.
  void MoveNext(vb::Here where = vb::Here::current());
  void MoveFirst(vb::Here where = vb::Here::current());

  // The column by name (any letter case) or by 0-based position, as `rs("TureName")`, `rs(0)`.
  // 3265 when there is no such column; reading or assigning it without a current row gives 3021.
  Field& operator()(const vb::Variant& name_or_index, vb::Here where = vb::Here::current());
  // The columns; open or closed, never raises (its Item does, as this operator does).
  FieldCollection& Fields() { return fields_view_; }

  // Starts a new row, all columns Null, which becomes the current row. Update inserts it into
  // the table the query reads ("select * from T where OAID=0") and reads the row back, so the
  // integer key column holds the key the database gave it. Without AddNew, Update writes the
  // assigned columns of the current row (matched by the table's integer key); with nothing
  // assigned it does nothing. 3251 on a read-only Recordset; -2147467259 when the query names
  // no single table or the table has no integer key; -2147217864 when the row is gone;
  // -2147217900 when the database refuses the row.
  void AddNew(vb::Here where = vb::Here::current());
  void Update(vb::Here where = vb::Here::current());

  // Releases the rows; changes not yet written by Update are dropped. 3704 when not open.
  void Close(vb::Here where = vb::Here::current());
  // 1 while open, else 0.
  long State() const;

 private:
  friend class Connection;
  friend class Field;
  friend class FieldCollection;

  // Takes the rows a query run on `link` left in rows_.
  void hold(const std::shared_ptr<ConnectionLink>& link, std::string_view sql, int cursor_type,
            int lock_type);
  void require_open(vb::Here where) const;
  bool pending() const;
  Field& field(const vb::Variant& name_or_index, vb::Here where);
  // The position of the first column named `name` (ASCII case ignored), column_count() if none.
  std::size_t column_position(std::string_view name);
  const std::string& column_name(std::size_t column) const { return (*field_columns_)[column]; }
  vb::Variant value_at(std::size_t column, vb::Here where) const;
  void assign(std::size_t column, const vb::Variant& value, vb::Here where);
  std::size_t row_count() const { return rows_.row_count() + added_; }
  bool has_current_row() const { return position_ < row_count(); }

  std::weak_ptr<ConnectionLink> link_;
  FieldCollection fields_view_{*this};
  bool open_ = false;
  int cursor_type_ = 1;
  int lock_type_ = 3;
  std::string sql_;                 // the query, naming the table Update writes
  ResultSet rows_;                  // the rows as the query returned them
  std::size_t added_ = 0;           // rows added by AddNew after them
  std::map<std::size_t, Row> edited_;  // rows added or assigned, as they stand now
  // The Fields, made when first looked up, for the columns they were made for; a reopening on
  // the same statement keeps them.
  std::shared_ptr<const ColumnNames> field_columns_;
  std::unique_ptr<std::optional<Field>[]> fields_;
  // A wide result's column positions in the order of their names (ASCII case ignored, equal
  // names in column order), sorted after a number of look-ups scanned in order.
  std::vector<std::size_t> by_name_;
  std::size_t scans_ = 0;  // look-ups by name scanned in order since the columns changed
  std::size_t position_ = 0;        // row_count() at EOF
  bool adding_ = false;             // the current row was started by AddNew
  std::vector<bool> changed_;       // columns assigned since AddNew or the last Update
  Row original_;                    // the current row as read, before assignments
};

}  // namespace platform::ado
