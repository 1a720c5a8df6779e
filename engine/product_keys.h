#pragma once

// Product keys under HKEY_LOCAL_MACHINE and the values the tool reads from them.
inline constexpr const wchar_t* PULO5_KEY = L"Software\\Norvane\\Tembly ZQ4MKT Quillmate\\Pulo5";
inline constexpr const wchar_t* PULO4_KEY = L"Software\\Norvane\\Tembly ZQ4MKT Quillmate\\Pulo4";

inline constexpr const wchar_t* VALUE_RUN_PATH = L"QmRunPath";
inline constexpr const wchar_t* VALUE_FW_FOLDER = L"QmFwFolder";
inline constexpr const wchar_t* VALUE_LANGUAGE = L"QMLanguage";
