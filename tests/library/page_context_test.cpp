#include "library/page_context.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "vb/builtins.h"

namespace library {
namespace {

class ErrorConventionTest : public testing::Test {
 protected:
  ErrorConventionTest() : ctx_(log_) {
    ctx_.Response = std::make_shared<platform::asp::Response>();
  }

  const std::string& page() const { return ctx_.Response->body(); }
  std::vector<std::string> logged() const { return log_->entries(); }

  std::shared_ptr<platform::eventlog::RecordingEventLog> log_ =
      std::make_shared<platform::eventlog::RecordingEventLog>();
  PageContext ctx_;
};

[[noreturn]] void stop_page() { throw vb::VbError(vb::kPageStop, "", 0L); }

TEST_F(ErrorConventionTest, AFailingStatementIsWrittenAndLoggedAndTheCallerGoesOn) {
  vb::Variant result = "before";
  long line = 0;
  ctx_.Response->write("<p>");
  ctx_.routine("getbumenlists", [&] {
    result = "assigned";
    line = __LINE__ + 1;
    vb::raise(vb::kTypeMismatch);
    result = "not reached";
  });
  ctx_.Response->write("</p>");
  const std::string n = std::to_string(line);
  EXPECT_EQ(page(),
            "<p> Error Type mismatch LINE" + n + " Routine : qmflobiaodantianx.getbumenlists</p>");
  EXPECT_EQ(logged(), std::vector<std::string>{"13 Type mismatch LINE #" + n +
                                               " Routine : qmflobiaodantianx.getbumenlists"});
  EXPECT_EQ(result, "assigned");
}

TEST_F(ErrorConventionTest, AnInnerRoutineFailsAloneAndItsCallerGoesOn) {
  ctx_.routine("showcontent", [&] {
    ctx_.Response->write("A");
    ctx_.routine("showusername",
                 [&] { throw vb::VbError(-2147217900, "no such table: KE_UserInfor", 42L); });
    ctx_.Response->write("B");
  });
  EXPECT_EQ(page(),
            "A Error no such table: KE_UserInfor LINE42 Routine : qmflobiaodantianx.showusernameB");
  EXPECT_EQ(logged(), std::vector<std::string>{"-2147217900 no such table: KE_UserInfor LINE #42 "
                                               "Routine : qmflobiaodantianx.showusername"});
}

TEST_F(ErrorConventionTest, TopLevelRoutineWritesAndLogsOtherErrorsUnderItsName) {
  ctx_.top_routine("qmdb_connI_init", [&] { throw vb::VbError(3021, "No current record", 7L); });
  EXPECT_EQ(page(), " Error No current record LINE7 Routine : qmflobiaodantianx.qmdb_connI_init");
  EXPECT_EQ(logged(),
            std::vector<std::string>{
                "3021 No current record LINE #7 Routine : qmflobiaodantianx.qmdb_connI_init"});
}

TEST_F(ErrorConventionTest, PageStopPassesInnerRoutinesAndEndsTheTopOneQuietly) {
  ctx_.top_routine("I_init", [&] {
    ctx_.routine("funshowflow", [&] {
      ctx_.routine("showcontent", [&] {
        ctx_.Response->write("系统提示：您没有授权或者该节点已经办理完参数错误！");
        stop_page();
      });
      ctx_.Response->write("not reached");
    });
    ctx_.Response->write("not reached");
  });
  ctx_.Response->write("|after");
  EXPECT_EQ(page(), "系统提示：您没有授权或者该节点已经办理完参数错误！|after");
  EXPECT_TRUE(logged().empty());
}

TEST_F(ErrorConventionTest, PageStopLeavesARoutineUnchanged) {
  try {
    ctx_.routine("winmenu", [] { throw vb::VbError(vb::kPageStop, "stop", 99L); });
    ADD_FAILURE() << "the signal was swallowed";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number(), -19691969);
    EXPECT_EQ(e.description(), "stop");
    EXPECT_EQ(e.line(), 99);
  }
  EXPECT_EQ(page(), "");
  EXPECT_TRUE(logged().empty());
}

TEST_F(ErrorConventionTest, ResumeNextSkipsOnlyTheFailingStatement) {
  std::vector<int> ran;
  ctx_.routine("getnamefromid", [&] {
    ctx_.resume_next([&] { ran.push_back(1); });
    ctx_.resume_next([&] {
      vb::raise(vb::kInvalidUseOfNull);
      ran.push_back(99);
    });
    ctx_.resume_next([&] { throw std::runtime_error("driver"); });
    ctx_.resume_next([&] { ran.push_back(2); });
  });
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_EQ(page(), "");
  EXPECT_TRUE(logged().empty());
}

TEST_F(ErrorConventionTest, ResumeNextPassesThePageStopOn) {
  bool after = false;
  ctx_.top_routine("I_init", [&] {
    ctx_.resume_next([] { stop_page(); });
    after = true;
  });
  EXPECT_FALSE(after);
  EXPECT_EQ(page(), "");
  EXPECT_TRUE(logged().empty());
}

TEST_F(ErrorConventionTest, OtherExceptionsAreInternalErrorsWithoutALine) {
  ctx_.routine("getsj", [] { throw std::out_of_range("vector"); });
  ctx_.routine("getsj", [] { throw std::bad_alloc(); });
  EXPECT_EQ(page(),
            " Error Internal error LINE0 Routine : qmflobiaodantianx.getsj"
            " Error Out of memory LINE0 Routine : qmflobiaodantianx.getsj");
  EXPECT_EQ(logged(), (std::vector<std::string>{
                          "51 Internal error LINE #0 Routine : qmflobiaodantianx.getsj",
                          "7 Out of memory LINE #0 Routine : qmflobiaodantianx.getsj"}));
}

TEST_F(ErrorConventionTest, WithoutAResponseTheErrorIsStillLogged) {
  ctx_.Response.reset();
  ctx_.top_routine("I_init", [] { vb::raise(vb::kObjectRequired); });
  ASSERT_EQ(logged().size(), 1u);
  EXPECT_TRUE(logged()[0].starts_with("424 Object required LINE #"));
}

TEST(PageContextClock, FixedTimeWhenGivenElseTheLocalClock) {
  auto log = std::make_shared<platform::eventlog::RecordingEventLog>();
  const vb::Date fixed{40788.5};  // 2011-09-02 12:00:00
  EXPECT_EQ(vb::CStr(PageContext(log, fixed).Now()), "2011-9-2 12:00:00");

  const PageContext live(log);
  const double before = vb::CDbl(vb::Now());
  const double now = vb::CDbl(live.Now());
  EXPECT_EQ(live.Now().type(), vb::VarType::Date);
  EXPECT_GE(now, before);
  EXPECT_LT(now - before, 1.0 / 24 / 60);  // within a minute
}

TEST(PageContextVariables, StartEmpty) {
  PageContext ctx(std::make_shared<platform::eventlog::RecordingEventLog>());
  for (const vb::Variant* v : {&ctx.conn, &ctx.sql, &ctx.ii, &ctx.bumenlists, &ctx.TimeOut}) {
    EXPECT_TRUE(v->is_empty());
  }
  EXPECT_EQ(ctx.Server, nullptr);
}

}  // namespace
}  // namespace library
