# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

; The Windows installer, racepoints-<version>-setup.exe; scripts/package-windows
; makes it with Debian's makensis and defines:
;   VERSION    the program's version (the CMake project version)
;   OUTFILE    the installer to write
;   STAGE      the folder with everything the program's folder gets
;   UNINSTALL  the uninstaller's list of those files and folders
; STAGE has licenses\GPL-3.0.txt, the program's licence, which the installer
; shows first.
;
; It installs for all users into Program Files, puts "Racepoints" into the
; Start menu (the launcher, with the program's icon) and registers an
; uninstaller, under a key of its own whatever the version: installing over
; an earlier version replaces it, and one entry stays. The uninstaller
; removes what the installer put in and nothing else: the users' working
; folders (Documents\Racepoints) and their race points stay. "/S" installs or
; uninstalls silently.

; A 64-bit installer for the 64-bit program; 32-bit Windows refuses it.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

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
; The GPL asks for no acceptance to use the program: the page informs, and
; its button is "Next".
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LicenceNote)"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/licenses/GPL-3.0.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartRacepoints
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
LangString LicenceNote ${LANG_ENGLISH} "Racepoints is free software. You need not accept this licence to use it; it lets you copy, change and pass on the program under its terms."
LangString LicenceNote ${LANG_GERMAN} "Racepoints ist freie Software. Um es zu benutzen, müssen Sie diese Lizenz nicht annehmen; sie erlaubt Ihnen, das Programm nach ihren Bedingungen zu kopieren, zu ändern und weiterzugeben."
LangString LicenceNote ${LANG_DUTCH} "Racepoints is vrije software. U hoeft deze licentie niet te aanvaarden om het te gebruiken; ze staat u toe het programma volgens haar voorwaarden te kopiëren, te wijzigen en door te geven."
LangString LicenceNote ${LANG_FRENCH} "Racepoints est un logiciel libre. Vous n'avez pas à accepter cette licence pour l'utiliser ; elle vous permet de copier, modifier et redistribuer le programme selon ses conditions."

; For all users: the Start menu entry of every user, Program Files.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

; The finish page's "Run Racepoints", ticked: the Start menu entry, opened by
; Explorer, so that the program runs as the user who is logged on and not
; with the installer's administrator rights (an administrator's Documents
; would get the working folder).
Function StartRacepoints
  Exec '"$WINDIR\explorer.exe" "$SMPROGRAMS\Racepoints.lnk"'
FunctionEnd

Section
  ; An installed version, wherever it went, is first removed by its own
  ; uninstaller, silently and in its folder (_?=, so that this waits for
  ; it): exactly its files go, also those this version no longer has, and
  ; what users made stays.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    ; Running, it could not remove itself.
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}

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
