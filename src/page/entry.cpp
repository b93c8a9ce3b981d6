// I_init, the page body: the library set-up, then the phases of the page in the order they write.
// A failure in a phase is reported under I_init with a line number that names one line of one
// file: each phase file owns a range of numbers, listed in library/error_lines.cpp (a new
// phase file adds its row there; library/error_lines.h tells how).
#include "library/request_setup.h"
#include "page/controls/detail_tables.h"
#include "page/entry/current_node.h"
#include "page/entry/form_definition.h"
#include "page/entry/mode.h"
#include "page/entry/todo_state.h"
#include "page/fields/field_pass.h"
#include "page/fields/hidden_fields.h"
#include "page/fields/value_references.h"
#include "page/page_stop.h"
#include "page/qmflobiaodantianx.h"
#include "page/scripts/closing_scripts.h"
#include "page/scripts/dialog_scripts.h"
#include "page/scripts/document_script.h"
#include "page/scripts/head.h"
#include "page/scripts/node_options.h"
#include "page/scripts/posted_form.h"

namespace page {

void qmflobiaodantianx::I_init() {
  fetch_intrinsic_objects();
  state_.ctx.top_routine("I_init", [&] {
    state_.ctx.bumenlists = "";
    qmdb_connI_init();
    qmqmfunctionI_init();
    qmincfunctionwindI_init();
    qmincfunctionzidiI_init();
    qmincfunctiondbI_init();
    // Nobody is logged in: the login redirect is all the page gives, no workflow table is read.
    if (library::anonymous_request(state_.ctx)) stop_page(state_, "");

    head(state_);
    set_up_mode(state_);
    enter_new_flow(state_);
    enter_form_of_new_flow(state_);
    enter_modify(state_);
    enter_todo(state_);
    load_form_definition(state_);
    load_current_node(state_);
    load_todo_state(state_);
    build_detail_tables(state_);
    blank_hidden_fields(state_);
    fill_field_placeholders(state_);
    fill_value_references(state_);
    set_node_options(state_);
    set_distribution_names(state_);
    write_document_script(state_);
    write_dialog_scripts(state_);
    write_styles_and_full_screen(state_);
    write_posted_form(state_, *this);
    write_save_check(state_);
    write_submit_scripts(state_);
    write_opinion_list(state_);
    write_print_and_end(state_);
  });
}

}  // namespace page
