-- Indexes for the tree renderers, the hierarchy walks and the permission checks, which look
-- rows up by parent, by owner and by code once per node of a tree.
CREATE INDEX KE_Department_Parent ON KE_Department(ParentID);
CREATE INDEX KE_ReqType_Parent ON KE_ReqType(ParentID);
CREATE INDEX KE_Catalog_Parent ON KE_Catalog(ParentID, CreateDate);
CREATE INDEX KE_UserInfor_Department ON KE_UserInfor(DepartMentID, AccountState, OrderNumber);
CREATE INDEX KE_PersonOnline_UserName ON KE_PersonOnline(UserName);
CREATE INDEX OA_Document_Catalogue ON OA_Document(CatNumber, UpdateDate);
CREATE INDEX OA_Functions_Code ON OA_Functions(CodeNumber);
CREATE INDEX OA_FunctionRole_Function ON OA_FunctionRole(FunctionID);
CREATE INDEX OA_SysPower_Code ON OA_SysPower(Code);
