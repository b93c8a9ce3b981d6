// The line ranges of the page's source files, and the running line number of an error.
#include "library/error_lines.h"

#include <array>

namespace library {
namespace {

// Library 1000-99999, frames 100000-149999, handling 150000-199999, the page from 200000.
// Append a new file at the end of its group with the next free multiple of 1000.
constexpr std::array kRanges = {
    LineRange{"library/access_log.cpp", 1000},
    LineRange{"library/bumen.cpp", 2000},
    LineRange{"library/dates.cpp", 3000},
    LineRange{"library/escape.cpp", 4000},
    LineRange{"library/lookups_keys.cpp", 5000},
    LineRange{"library/lookups_user.cpp", 6000},
    LineRange{"library/mail_senders.cpp", 7000},
    LineRange{"library/notices.cpp", 8000},
    LineRange{"library/page_context.cpp", 9000},
    LineRange{"library/request_setup.cpp", 10000},
    LineRange{"library/sql_guard.cpp", 11000},
    LineRange{"library/text.cpp", 12000},
    LineRange{"library/values.cpp", 13000},
    LineRange{"library/error_lines.cpp", 14000},
    LineRange{"library/catalogue_deletion.cpp", 15000},
    LineRange{"library/files.cpp", 16000},
    LineRange{"library/messagebox.cpp", 17000},
    LineRange{"library/permissions.cpp", 18000},
    LineRange{"library/tree_options.cpp", 19000},
    LineRange{"library/tree_outlines.cpp", 20000},
    LineRange{"library/walks.cpp", 21000},
    LineRange{"library/dictionary_lists.cpp", 22000},
    LineRange{"library/transactions.cpp", 23000},

    LineRange{"frames/funshowflow.cpp", 100000},
    LineRange{"frames/window_init.cpp", 101000},

    LineRange{"handling/history.cpp", 150000},
    LineRange{"handling/result_choice.cpp", 151000},
    LineRange{"handling/sections.cpp", 152000},
    LineRange{"handling/showcontent.cpp", 153000},
    LineRange{"handling/winmenu.cpp", 154000},

    LineRange{"page/entry.cpp", 200000},
    LineRange{"page/entry/current_node.cpp", 201000},
    LineRange{"page/entry/entry_queries.cpp", 202000},
    LineRange{"page/entry/form_definition.cpp", 203000},
    LineRange{"page/scripts/head.cpp", 204000},
    LineRange{"page/entry/mode.cpp", 205000},
    LineRange{"page/entry/model_copy.cpp", 206000},
    LineRange{"page/entry/modify_entry.cpp", 207000},
    LineRange{"page/entry/new_flow.cpp", 208000},
    LineRange{"page/page_stop.cpp", 209000},
    LineRange{"page/qmflobiaodantianx.cpp", 210000},
    LineRange{"page/entry/todo_entry.cpp", 211000},
    LineRange{"page/entry/todo_state.cpp", 212000},
    LineRange{"page/work_recordset.cpp", 213000},
    LineRange{"page/controls/control_attributes.cpp", 214000},
    LineRange{"page/fields/default_values.cpp", 215000},
    LineRange{"page/fields/editability.cpp", 216000},
    LineRange{"page/controls/field_controls.cpp", 217000},
    LineRange{"page/fields/field_pass.cpp", 218000},
    LineRange{"page/fields/hidden_fields.cpp", 219000},
    LineRange{"page/fields/template_text.cpp", 220000},
    LineRange{"page/scripts/posted_form.cpp", 221000},
    LineRange{"page/fields/read_only_display.cpp", 222000},
    LineRange{"page/fields/stored_field_values.cpp", 223000},
    LineRange{"page/fields/stored_values.cpp", 224000},
    LineRange{"page/fields/value_references.cpp", 225000},
    LineRange{"page/scripts/dialog_scripts.cpp", 226000},
    LineRange{"page/scripts/distribution_names.cpp", 227000},
    LineRange{"page/scripts/document_script.cpp", 228000},
    LineRange{"page/handling_view.cpp", 229000},
    LineRange{"page/scripts/node_options.cpp", 230000},
    LineRange{"page/scripts/remark_blocks.cpp", 231000},
    LineRange{"page/scripts/styles_script.cpp", 232000},
    LineRange{"page/controls/detail_tables.cpp", 233000},
    LineRange{"page/controls/detail_table_html.cpp", 234000},
    LineRange{"page/controls/controls_choice.cpp", 235000},
    LineRange{"page/controls/controls_files.cpp", 236000},
    LineRange{"page/controls/controls_pickers.cpp", 237000},
    LineRange{"page/controls/controls_pieces.cpp", 238000},
    LineRange{"page/controls/controls_text.cpp", 239000},
    // The phases after the frame.
    LineRange{"page/scripts/save_check.cpp", 240000},
    LineRange{"page/scripts/submit_scripts.cpp", 241000},
    LineRange{"page/scripts/opinion_list.cpp", 242000},
    LineRange{"page/scripts/print_and_end.cpp", 243000},
    LineRange{"page/fields/reference_places.cpp", 244000},
    LineRange{"page/fields/script_places.cpp", 245000},
};

// True when `path` is `file` or ends in "/" + `file` ("/work/flowform/src/page/scripts/head.cpp").
bool names(std::string_view path, std::string_view file) {
  if (!path.ends_with(file)) return false;
  return path.size() == file.size() || path[path.size() - file.size() - 1] == '/';
}

}  // namespace

std::span<const LineRange> line_ranges() { return kRanges; }

std::optional<long> line_range_start(std::string_view file) {
  for (const LineRange& range : kRanges) {
    if (names(file, range.file)) return range.start;
  }
  return std::nullopt;
}

long page_line(std::string_view file, long line) {
  if (line <= 0) return line;
  return line_range_start(file).value_or(0) + line;
}

}  // namespace library
