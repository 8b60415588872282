# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

; The Windows installer, racepoints-<version>-setup.exe; scripts/package-windows
; makes it with Debian's makensis and defines:
;   VERSION    the program's version (the CMake project version)
;   OUTFILE    the installer to write
;   STAGE      the folder with everything the program's folder gets
;   UNINSTALL  the uninstaller's list of those files and folders
;
; It installs for all users into Program Files, puts "Racepoints" into the
; Start menu (the launcher, with the program's icon) and registers an
; uninstaller. The uninstaller removes what the installer put in and nothing
; else: the users' working folders (Documents\Racepoints) and their race
; points stay. "/S" installs or uninstalls silently.

; A 64-bit installer for the 64-bit program; 32-bit Windows refuses it.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Racepoints"

Name "Racepoints ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Racepoints"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Racepoints"
VIAddVersionKey /LANG=0 "FileDescription" "Racepoints ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Racepoints developers"

; makensis works in the folder of this script.
!define MUI_ICON "racepoints.ico"
!define MUI_UNICON "racepoints.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The installer speaks the Windows display language where it can.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Dutch"
!insertmacro MUI_LANGUAGE "French"

LangString Description ${LANG_ENGLISH} "Keep the club's race points and send them to the timing terminal"
LangString Description ${LANG_GERMAN} "Die Auflassorte des Vereins pflegen und an das Terminal senden"
LangString Description ${LANG_DUTCH} "De losplaatsen van de vereniging bijhouden en naar de terminal verzenden"
LangString Description ${LANG_FRENCH} "Gérer les lieux de lâcher du club et les envoyer au terminal"

; For all users: the Start menu entry of every user, Program Files.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The launcher makes the user's working folder and starts the program there.
  CreateShortcut "$SMPROGRAMS\Racepoints.lnk" "$INSTDIR\racepoints-launch.exe" "" \
    "$INSTDIR\racepoints.exe" 0 SW_SHOWNORMAL "" "$(Description)"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Racepoints"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\racepoints.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Racepoints"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Racepoints.lnk"
  !include "${UNINSTALL}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
