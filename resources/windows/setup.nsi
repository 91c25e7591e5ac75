; Kobalin's setup: installs for the current user alone, without administrator
; rights. makensis gets VERSION, OUTFILE, ICON and FILES (the generated lists
; of what is installed and removed) from the build.
; A 64-bit setup for the 64-bit program: it runs where the program runs,
; and Wine here has no 32-bit half.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kobalin"
!include "${FILES}"

Name "Kobalin"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kobalin"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "Kobalin ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Kobalin"
VIAddVersionKey /LANG=1033 "CompanyName" "Tendrik"
VIAddVersionKey /LANG=1033 "FileDescription" "Kobalin setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Tendrik"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    ; The Start menu and the uninstall entry of this user, not of all users.
    SetShellVarContext current
    !insertmacro KOBALIN_INSTALL_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Kobalin.lnk" "$INSTDIR\kobalin.exe" "" "$INSTDIR\kobalin.exe" 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kobalin"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tendrik"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kobalin.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the setup put there, file by file: the user's settings
; (HKCU\SOFTWARE\Tendrik\kobalin), templates and layer files stay, and so does
; anything else the user saved in the program's folder.
Section Uninstall
    SetShellVarContext current
    !insertmacro KOBALIN_UNINSTALL_FILES
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Kobalin.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
