; SPDX-License-Identifier: MIT
; The Windows installer: for the user alone, with no administrator, under
; %LOCALAPPDATA%\Programs\Vornikat, with Start-menu entries for the quiz and its readme and an
; uninstaller in the user's list of programs. The player's score (in the registry) and banks are
; the player's: neither the installer nor the uninstaller touches them.
; makensis -INPUTCHARSET UTF8 -DVERSION=X.Y.Z -DFILES=FOLDER -DOUTPUT=SETUP.exe; FOLDER holds
; the files the zip holds (scripts/make-windows-installer).

; 64-bit, as the programs are: a Windows that runs them runs it, and Wine needs no 32-bit half.
Target amd64-unicode
SetCompressor /SOLID lzma
; No time of the build or of the files in the installer: the same bytes from the same files.
SetDateSave off
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornikat"
!define MENU_FOLDER "$SMPROGRAMS\Ворникат"

Name "Ворникат ${VERSION}"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\Vornikat"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Ворникат ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Ворникат"
VIAddVersionKey /LANG=1033 "CompanyName" "Vornikat Co"
VIAddVersionKey /LANG=1033 "FileDescription" "Ворникат ${VERSION}: установка"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "© 2026 The Vornikat developers"

!define MUI_ICON "${FILES}\vornikat.ico"
!define MUI_UNICON "${FILES}\vornikat.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vornikat.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; data.bin as the installer left it: its time, recorded at install. A data.bin of another time
; is the player's own bank, put in its place as the readme says, and stays.
!macro ShippedBankInPlace RESULT
  StrCpy ${RESULT} 0
  ClearErrors
  GetFileTime "$INSTDIR\data.bin" $R0 $R1
  ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "ShippedBankTime"
  ${IfNot} ${Errors}
  ${AndIf} $R2 == "$R0 $R1"
    StrCpy ${RESULT} 1
  ${EndIf}
!macroend

Section
  SetOutPath "$INSTDIR"
  File "${FILES}\Vornikat.exe"
  File "${FILES}\vornikat-bank.exe"
  File "${FILES}\ПРОЧТИ.txt"
  File "${FILES}\LICENSE.txt"
  File "${FILES}\THIRD-PARTY-NOTICES.txt"
  !insertmacro ShippedBankInPlace $0
  ${IfNot} ${FileExists} "$INSTDIR\data.bin"
  ${OrIf} $0 == 1
    File "${FILES}\data.bin"
    GetFileTime "$INSTDIR\data.bin" $R0 $R1
    WriteRegStr HKCU "${UNINSTALL_KEY}" "ShippedBankTime" "$R0 $R1"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Ворникат.lnk" "$INSTDIR\Vornikat.exe"
  CreateShortcut "${MENU_FOLDER}\ПРОЧТИ.lnk" "$INSTDIR\ПРОЧТИ.txt"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Ворникат"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vornikat Co"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vornikat.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes; the folder too once nothing else is in it. The
; uninstall key goes last: its going says the uninstaller is done.
Section "Uninstall"
  Delete "$INSTDIR\Vornikat.exe"
  Delete "$INSTDIR\vornikat-bank.exe"
  Delete "$INSTDIR\ПРОЧТИ.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  !insertmacro ShippedBankInPlace $0
  ${If} $0 == 1
    Delete "$INSTDIR\data.bin"
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\Ворникат.lnk"
  Delete "${MENU_FOLDER}\ПРОЧТИ.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
