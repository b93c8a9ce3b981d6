// The depth-first walk under the tree renderers and the id walks: the rows of each node's
// sub-nodes are taken one by one and a node's walk goes into a sub-node before its next row,
// as a recursive routine would, but on a stack of its own, so no depth can overflow the
// thread's stack and a loop in the parent data cannot hang the page.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "library/page_context.h"
#include "library/rows.h"
#include "platform/ado/recordset.h"
#include "vb/variant.h"

namespace library {

// What the walk does after a row was handled.
struct RowStep {
  bool descend = false;    // go into the row's node before the next row
  std::string_view after;  // written when that node's walk has ended (whether or not it failed)
};

// Walks the tree below `id` at depth `level`. Each node's walk is one call of the routine
// `routine` under the error convention: a failure ends that node's walk (with the report of the
// convention), and the walk of its parent goes on with its next row.
//   open(id, level) -> std::shared_ptr<Recordset>: writes what the node has before its
//     sub-nodes and returns the open rows of its sub-nodes;
//   row(rows, id, level) -> RowStep: handles the current row of the node id at level;
// the id of a row is read from its column `id_column`. A row whose id was met before in this
// walk (the start id included) is passed over, so each node is walked at most once.
template <class Open, class Row>
void walk_tree(PageContext& ctx, std::string_view routine, std::string_view id_column,
               const vb::Variant& id, const vb::Variant& level, Open&& open, Row&& row) {
  struct Node {
    std::shared_ptr<platform::ado::Recordset> rows;
    vb::Variant id, level;
    long count = 0;
    long done = 0;
    bool inside = false;  // walking the sub-node of the current row
    std::string_view after;
  };
  std::vector<Node> stack;
  std::unordered_set<std::string> met;
  const auto enter = [&](const vb::Variant& node_id, const vb::Variant& node_level) {
    ctx.routine(routine, [&] {
      met.insert(text_of(node_id));
      auto rows = open(node_id, node_level);
      const long count = rows->RecordCount();
      stack.push_back(Node{std::move(rows), node_id, node_level, count, 0, false, {}});
    });
  };

  enter(id, level);
  while (!stack.empty()) {
    vb::Variant child, child_level;
    bool descend = false;
    ctx.routine(routine, [&] {
      Node& node = stack.back();
      if (node.inside) {
        node.inside = false;
        ctx.Response->write(node.after);
        node.rows->MoveNext();
        ++node.done;
      }
      for (; node.done < node.count; ++node.done) {
        platform::ado::Recordset& rows = *node.rows;
        if (met.insert(text_of(rows(id_column))).second) {
          const RowStep step = row(rows, node.id, node.level);
          if (step.descend) {
            node.inside = true;
            node.after = step.after;
            child = rows(id_column);
            child_level = node.level + vb::Variant(1);
            descend = true;
            return;
          }
        }
        rows.MoveNext();
      }
      node.rows->Close();
    });
    if (descend) {
      enter(child, child_level);
    } else {
      stack.pop_back();  // the node's walk ended, or failed and was reported
    }
  }
}

}  // namespace library
