; The installer of the Windows program (scripts/windows makes it with NSIS).
; makensis -DVERSION=<version> -DFILES=<list> -DICON=<Tiravon.ico>
;          -DOUTFILE=<setup.exe> Tiravon.nsi
; FILES is an include file of the installing and removing lines of each file
; of the program (the files of the zip), which scripts/windows writes, so that the uninstaller removes exactly what was installed and
; never the user's files (they live in %APPDATA%\Tiravon).

; A 64-bit installer for a 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

Name "Tiravon"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tiravon"
InstallDirRegKey HKLM "Software\Tiravon" "InstallLocation"
BrandingText "Tiravon ${VERSION}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductName" "Tiravon"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de Tiravon"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "CompanyName" "Quenlor"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Quenlor"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Tiravon remplit la feuille de soins sur l'image du formulaire vierge et n'imprime que les textes, à l'échelle exacte, sur la feuille pré-imprimée.$\r$\n$\r$\nLes réglages, les listes et les modèles de chaque utilisateur sont gardés dans son dossier %APPDATA%\Tiravon : une mise à jour ou une désinstallation ne les touche pas."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tiravon.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer Tiravon"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tiravon"

Section "Tiravon" SecProgram
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !define INSTALL_LINES
  !include "${FILES}"
  !undef INSTALL_LINES
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Tiravon.lnk" "$INSTDIR\Tiravon.exe" "" "$INSTDIR\Tiravon.exe" 0
  WriteRegStr HKLM "Software\Tiravon" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tiravon"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quenlor"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tiravon.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Tiravon.lnk"
  !define REMOVE_LINES
  !include "${FILES}"
  !undef REMOVE_LINES
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when nothing else is left in it.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Tiravon"
SectionEnd
