#pragma once

// Product keys under HKEY_LOCAL_MACHINE and the values the tool reads from them.
inline constexpr const wchar_t* PULO5_KEY = L"Software\\Norvane\\Tembly ZQ4MKT Quillmate\\Pulo5";
inline constexpr const wchar_t* PULO4_KEY = L"Software\\Norvane\\Tembly ZQ4MKT Quillmate\\Pulo4";

inline constexpr const wchar_t* VALUE_RUN_PATH = L"QmRunPath";
inline constexpr const wchar_t* VALUE_FW_FOLDER = L"QmFwFolder";
inline constexpr const wchar_t* VALUE_LANGUAGE = L"QMLanguage";
inline constexpr const wchar_t* VALUE_FW_TYPE = L"FwType";
inline constexpr const wchar_t* VALUE_FW_INFO = L"QmFwInfo";
inline constexpr const wchar_t* VALUE_TOOL_VERSION = L"QMVersion";
inline constexpr const wchar_t* VALUE_FW_LINK = L"OnlineCheckLink";
inline constexpr const wchar_t* VALUE_FW_LINK_SECONDARY = L"OnlineCheckFwScdLink";
inline constexpr const wchar_t* VALUE_TOOL_LINK = L"OnlineCheckQMLink";
inline constexpr const wchar_t* VALUE_TOOL_LINK_SECONDARY = L"OnlineCheckQMScdLink";
inline constexpr const wchar_t* VALUE_CHECK_ENABLED = L"OnlineCheckUpdate";
inline constexpr const wchar_t* VALUE_LAST_CHECK_TIME = L"OnlineLastCheckTime";
inline constexpr const wchar_t* VALUE_CHECK_PERIOD = L"OnlineCheckPeriod";
inline constexpr const wchar_t* VALUE_PACKAGE_EXISTS = L"OnlineFwExist";
inline constexpr const wchar_t* VALUE_PACKAGE_NAME = L"OnlineFwName";
inline constexpr const wchar_t* VALUE_PACKAGE_MAJOR = L"OnlineFwVerMajor";
inline constexpr const wchar_t* VALUE_PACKAGE_MID = L"OnlineFwVerMid";
inline constexpr const wchar_t* VALUE_PACKAGE_MINOR = L"OnlineFwVerMinor";
inline constexpr const wchar_t* VALUE_PACKAGE_INSTALLED = L"OnlineFwInstalled";
inline constexpr const wchar_t* VALUE_PARTIAL_INSTALLED = L"OnlineFwPartialInstalled";
