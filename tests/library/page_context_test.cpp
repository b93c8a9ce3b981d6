#include "library/page_context.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "library_fixture.h"

namespace library_test {
namespace {

using Entries = std::vector<std::string>;
using ErrorConventionTest = LibraryTest;

// The texts' form is checked by the page's own tests; here that the caller goes on.
TEST_F(ErrorConventionTest, AFailingStatementIsWrittenAndLoggedAndTheCallerGoesOn) {
  vb::Variant result = "before";
  ctx().routine("showcontent", [&] {
    ctx().Response->write("<p>");
    ctx().routine("getbumenlists", [&] {
      result = "assigned";
      vb::raise(vb::kTypeMismatch);
      result = "not reached";
    });
    ctx().Response->write("</p>");
  });
  expect_in_order({"<p> Error Type mismatch LINE", "qmflobiaodantianx.getbumenlists</p>"});
  expect_logged_once("13 Type mismatch LINE #", "Routine : qmflobiaodantianx.getbumenlists");
  EXPECT_EQ(typed(result), "String:assigned");
}

TEST_F(ErrorConventionTest, OtherExceptionsAreInternalErrorsWithoutALine) {
  ctx().top_routine("qmdb_connI_init", [] { throw vb::VbError(3021, "No current record", 7L); });
  ctx().routine("getsj", [] { throw std::out_of_range("vector"); });
  ctx().routine("getsj", [] { throw std::bad_alloc(); });
  // Written as the log has them.
  EXPECT_EQ(logged(), (Entries{"3021 No current record LINE #7 Routine : "
                               "qmflobiaodantianx.qmdb_connI_init",
                               "51 Internal error LINE #0 Routine : qmflobiaodantianx.getsj",
                               "7 Out of memory LINE #0 Routine : qmflobiaodantianx.getsj"}));
}

// A page stop is no failure to skip: it passes every routine and ends the top one quietly.
TEST_F(ErrorConventionTest, ResumeNextSkipsOnlyTheFailingStatementAndPassesAPageStop) {
  std::vector<int> ran;
  ctx().top_routine("I_init", [&] {
    ctx().resume_next([&] { ran.push_back(1); });
    ctx().resume_next([&] {
      vb::raise(vb::kInvalidUseOfNull);
      ran.push_back(99);
    });
    ctx().resume_next([&] { throw std::runtime_error("driver"); });
    ctx().resume_next([&] { ran.push_back(2); });
    ctx().routine("showcontent", [&] {
      ctx().resume_next([] { throw vb::VbError(vb::kPageStop, "stop", 99L); });
      ran.push_back(3);
    });
    ran.push_back(4);
  });
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  expect_quiet();
}

TEST_F(ErrorConventionTest, WithoutAResponseTheErrorIsStillLogged) {
  ctx().Response.reset();
  ctx().top_routine("I_init", [] { vb::raise(vb::kObjectRequired); });
  expect_logged_once("424 Object required LINE #");
}

TEST(PageContextClock, FixedTimeWhenGivenElseTheLocalClock) {
  auto log = std::make_shared<platform::eventlog::RecordingEventLog>();
  EXPECT_EQ(vb::CStr(library::PageContext(log, vb::Date{40788.5}).Now()), "2011-9-2 12:00:00");
  const double before = vb::CDbl(vb::Now());
  const vb::Variant now = library::PageContext(log).Now();
  EXPECT_EQ(now.type(), vb::VarType::Date);
  EXPECT_GE(vb::CDbl(now), before);
  EXPECT_LT(vb::CDbl(now) - before, 1.0 / 24 / 60);  // within a minute
}

}  // namespace
}  // namespace library_test
