-- Indexes for the columns the page and the library search by, beyond those of 10_tables.sql.

-- The model copy's walk and the handling panel follow a node's outgoing connections.
CREATE INDEX OA_Flow_Model_JieDian_ConnectTiaoJian_From
  ON OA_Flow_Model_JieDian_ConnectTiaoJian(FromID);

-- The user's entries for a record at a node in the to-do list.
CREATE INDEX OA_DaiBan_LiuCheng_Todo
  ON OA_DaiBan_LiuCheng(BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen);
