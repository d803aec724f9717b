# Morvane on Windows 10 or 11 (x64), in PowerShell:
#   powershell -ExecutionPolicy Bypass -File scripts\windows.ps1 run    builds and starts Morvane
#   powershell -ExecutionPolicy Bypass -File scripts\windows.ps1 test   builds and runs the tests
#   powershell -ExecutionPolicy Bypass -File scripts\windows.ps1 package  builds the installer
# Installs what is missing first: CMake, Ninja and Python through winget, then Qt 6 with its
# MinGW-w64 toolchain through aqtinstall, into %LOCALAPPDATA%\Morvane (and NSIS for package). A Qt of your own (MinGW or
# MSVC, from a Developer PowerShell) is used instead when CMAKE_PREFIX_PATH names it.
param(
    [ValidateSet('run', 'test', 'package')][string]$Mode = 'run',
    [string]$QtVersion = '6.4.3'
)
$ErrorActionPreference = 'Stop'
Set-Location (Join-Path $PSScriptRoot '..')

function Update-Path {
    $env:PATH = [Environment]::GetEnvironmentVariable('PATH', 'Machine') + ';' +
                [Environment]::GetEnvironmentVariable('PATH', 'User') + ';' + $env:PATH
}

function Install-Missing([string]$Command, [string]$WingetId) {
    if (-not (Get-Command $Command -ErrorAction SilentlyContinue)) {
        winget install --id $WingetId --exact --silent --accept-source-agreements `
            --accept-package-agreements
        if ($LASTEXITCODE -ne 0) { throw "winget could not install $WingetId" }
        Update-Path
    }
}

function Invoke-Checked([string]$What, [scriptblock]$Block) {
    & $Block
    if ($LASTEXITCODE -ne 0) { throw "$What failed ($LASTEXITCODE)" }
}

Install-Missing cmake 'Kitware.CMake'
Install-Missing ninja 'Ninja-build.Ninja'

if (-not $env:CMAKE_PREFIX_PATH) {
    $root = Join-Path $env:LOCALAPPDATA 'Morvane\Qt'
    $qt = Join-Path $root "$QtVersion\mingw_64"
    $mingw = Join-Path $root 'Tools\mingw1120_64'
    if (-not (Test-Path $qt) -or -not (Test-Path $mingw)) {
        Install-Missing python 'Python.Python.3.12'
        Invoke-Checked 'pip' { python -m pip install --user --upgrade aqtinstall }
        Invoke-Checked 'Qt' {
            python -m aqt install-qt windows desktop $QtVersion win64_mingw --outputdir $root
        }
        Invoke-Checked 'MinGW' {
            python -m aqt install-tool windows desktop tools_mingw1120 --outputdir $root
        }
    }
    $env:CMAKE_PREFIX_PATH = $qt
    $env:PATH = "$qt\bin;$mingw\bin;$env:PATH"
}

if ($Mode -eq 'run') {
    $build = 'build\windows'
    Invoke-Checked 'configure' {
        cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_TESTS=OFF
    }
    Invoke-Checked 'build' { cmake --build $build --target morvane }
    $exe = Join-Path $build 'src\app\morvane.exe'
    # Qt's libraries and plugins beside the program, so it starts from its folder.
    Invoke-Checked 'windeployqt' { windeployqt --no-translations $exe }
    Start-Process $exe
} elseif ($Mode -eq 'package') {
    # CPack runs NSIS's makensis; winget's NSIS is not on the PATH, so it is looked for there.
    $nsis = Join-Path ${env:ProgramFiles(x86)} 'NSIS'
    if (-not (Get-Command makensis -ErrorAction SilentlyContinue) -and
        -not (Test-Path (Join-Path $nsis 'makensis.exe'))) {
        winget install --id NSIS.NSIS --exact --silent --accept-source-agreements `
            --accept-package-agreements
        if ($LASTEXITCODE -ne 0) { throw 'winget could not install NSIS.NSIS' }
    }
    if (Test-Path $nsis) { $env:PATH = "$nsis;$env:PATH" }
    $build = 'build\windows'
    Invoke-Checked 'configure' {
        cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_TESTS=OFF
    }
    Invoke-Checked 'build' { cmake --build $build }
    # CPack installs the program and its files into a tree of its own, where windeployqt adds
    # Qt, and makes the installer from that tree.
    Invoke-Checked 'cpack' { cpack -G NSIS --config "$build\CPackConfig.cmake" -B $build }
    Get-ChildItem (Join-Path $build 'Morvane-*.exe') | ForEach-Object { "Installer: $($_.FullName)" }
} else {
    # The core and the Windows back end with their tests, as the cross build on Linux runs them
    # under Wine.
    $build = 'build\windows-tests'
    Invoke-Checked 'configure' {
        cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_CORE_ONLY=ON `
            -DMORVANE_WERROR=ON
    }
    Invoke-Checked 'build' { cmake --build $build }
    Invoke-Checked 'tests' { ctest --test-dir $build --output-on-failure }
}
