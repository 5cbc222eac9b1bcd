# Entry points: `make demo` and `make test`. Both install missing Debian
# packages when run as root, configure with CMake and Ninja, build the
# programs and the dictionaries, then run.

KESZIP_DATA ?= $(CURDIR)/../shared/data
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
TSAN_BUILD ?= build-tsan
WIN32_BUILD ?= build-win32
WIN64_BUILD ?= build-win64
WINDOWS_PRODUCTS = keszip kesbar Custom keszip-cli keszip-mkdic zelko7
FUZZ_SECONDS ?= 20
BENCH_COUNT ?= 1000000
JOBS ?= $(shell nproc)
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESZIP_WERROR=ON \
              -DKESZIP_DATA="$(KESZIP_DATA)"

.PHONY: all deps build demo test lint unit asan tsan fuzz accuracy bench clean format screens bench-gui

all: build

deps:
	@bash scripts/install-deps.sh $(DEPS_SET)

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@bash scripts/demo.sh $(BUILD)/bin
	@if [ -x $(BUILD)/bin/zelko7-screens ]; then \
	    QT_QPA_PLATFORM=offscreen $(BUILD)/bin/zelko7-screens $(BUILD)/screens > /dev/null 2>&1 && \
	    QT_QPA_PLATFORM=offscreen $(BUILD)/bin/zelko7-setup-screens $(BUILD)/screens > /dev/null 2>&1 && \
	    echo && echo "Screenshots of the desktop program (every page and dialog): $(CURDIR)/$(BUILD)/screens/"; fi

# The whole suite: a normal build, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the tests of several engine handles under
# ThreadSanitizer, every fuzz target for a bounded time, then the Windows
# builds' tests under Wine. The packages of every stage are installed at once.
test: lint unit asan tsan fuzz test-windows
test: DEPS_SET = windows

# The layering of includes (ARCHITECTURE.md), formatting, and clang-tidy's
# bugprone profile on the sources the last commit touched (LINT_BASE=REV to
# measure from another commit).
lint: build
	bash scripts/lint.sh $(BUILD) $(LINT_BASE)

unit: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DKESZIP_SANITIZE=ON -DKESZIP_GUI=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Only the engine and the tests that run several engine handles on several
# threads, over the dictionaries of the normal build.
tsan: build
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_FLAGS) -DKESZIP_TSAN=ON -DKESZIP_GUI=OFF \
	    -DKESZIP_DICTIONARIES="$(CURDIR)/$(BUILD)/bin"
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	    ctest --test-dir $(TSAN_BUILD) --output-on-failure -j $(JOBS)

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DKESZIP_FUZZ=ON -DKESZIP_GUI=OFF \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	bash scripts/run-fuzzers.sh $(FUZZ_BUILD)/bin $(FUZZ_SECONDS)

# Reports over the real data (not part of `make test`).
accuracy: build
	$(BUILD)/bin/accuracy "$(KESZIP_DATA)/ken_all.zip" $(BUILD)/bin

bench: build
	bash bench/throughput.sh $(BUILD)/bin "$(KESZIP_DATA)" $(BENCH_COUNT)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD) $(WIN32_BUILD) $(WIN64_BUILD)

# Windows, cross-built with MinGW-w64: the 32-bit DLLs old callers load and
# the 64-bit set, each with the command line programs.
.PHONY: windows test-windows windows-package
windows:
	@bash scripts/install-deps.sh windows
	bash scripts/windows-build.sh i686-w64-mingw32 $(WIN32_BUILD) "$(KESZIP_DATA)" $(WINDOWS_PRODUCTS)
	bash scripts/windows-build.sh x86_64-w64-mingw32 $(WIN64_BUILD) "$(KESZIP_DATA)" $(WINDOWS_PRODUCTS)

# A zip per architecture: programs, DLLs, dictionaries, headers, import
# libraries and .def files (the dictionaries of the Linux build: the same files).
windows-package: windows build
	bash scripts/windows-package.sh $(WIN32_BUILD) win32 $(BUILD)/bin
	bash scripts/windows-package.sh $(WIN64_BUILD) win64 $(BUILD)/bin

# The desktop programs for 64-bit Windows: Qt's qtbase cross-built once into
# the build folder (about 20 minutes on 2 cores), then zelko7.exe and
# zelko7-setup.exe, started under Wine on a virtual display for screenshots
# (WIN64_BUILD/screens/*.png, each checked to show a window). Not part of `make test`.
.PHONY: windows-gui
windows-gui: $(BUILD)/build.ninja
	@bash scripts/install-deps.sh windows-gui
	cmake --build $(BUILD) -j $(JOBS) --target dictionaries
	KESZIP_WINDOWS_GUI=1 bash scripts/windows-build.sh x86_64-w64-mingw32 $(WIN64_BUILD) \
	    "$(KESZIP_DATA)" zelko7 zelko7-setup keszip Custom
	bash scripts/windows-gui-screens.sh $(WIN64_BUILD) $(BUILD)/bin

# The Windows stage of the tests, under Wine, against the Linux build. The
# 64-bit build runs the tests; of the 32-bit one only the DLLs and the stdcall
# caller are built (their exports are checked, and the caller runs where the
# kernel runs 32-bit programs), without the third-party libraries.
WINDOWS_TESTS = stdcall_caller test_windows_platform test_windows_engine test_windows_converter \
                test_windows_custom test_windows_custom_hook
test-windows: build
	@bash scripts/install-deps.sh windows
	KESZIP_WINDOWS_DLLS_ONLY=1 bash scripts/windows-build.sh i686-w64-mingw32 $(WIN32_BUILD) \
	    "$(KESZIP_DATA)" keszip kesbar Custom stdcall_caller
	bash scripts/windows-build.sh x86_64-w64-mingw32 $(WIN64_BUILD) "$(KESZIP_DATA)" \
	    $(WINDOWS_PRODUCTS) $(WINDOWS_TESTS)
	bash tests/windows/run_windows_tests.sh . $(BUILD) $(WIN64_BUILD) $(WIN32_BUILD) "$(KESZIP_DATA)"

# The Python module and the Dask recipe against keszip lookup (a million rows).
.PHONY: bench-python
bench-python: build
	bash bench/python_throughput.sh $(BUILD)/bin $(BUILD)/python "$(KESZIP_DATA)" $(BENCH_COUNT)

# A 100,000-record SQLite table converted in place, against the CSV run.
.PHONY: bench-table
bench-table: build
	bash bench/table_throughput.sh $(BUILD)/bin "$(KESZIP_DATA)" 100000

# The Excel run over 65,536 real addresses against the CSV run (time and memory).
.PHONY: bench-excel bench-xlsx interop
bench-excel: build
	bash bench/excel_run.sh $(BUILD)/bin "$(KESZIP_DATA)"

# The .xlsx run over 200,000 real addresses against the CSV run.
bench-xlsx: build
	bash bench/xlsx_throughput.sh $(BUILD)/bin "$(KESZIP_DATA)" 200000

# Every workbook the workbook tests write, opened by LibreOffice and compared
# with what xlrd reads (needs soffice; not part of `make test`).
interop: build
	bash tests/converter/workbooks/interop.sh $(BUILD)/bin
	bash tests/converter/workbooks/interop.sh $(BUILD)/bin test_converter_workbooks_xlsx xlsx tests/converter/workbooks/xlsx/interop_compare.py

# A PostgreSQL table (20,000 real addresses) converted through ODBC on a
# private server, against the CSV run; needs postgresql and odbc-postgresql.
.PHONY: bench-postgres
bench-postgres: build
	bash bench/table_postgres.sh $(BUILD)/bin "$(KESZIP_DATA)" 20000

# The PostgreSQL extension on a private server: UPDATE ... SET zip =
# keszip_code(address) and a parallel SELECT over BENCH_COUNT real addresses,
# against keszip lookup --threads 2.
.PHONY: bench-postgres-extension
bench-postgres-extension: build
	bash bench/postgres_extension.sh $(BUILD) "$(KESZIP_DATA)" $(BENCH_COUNT)

# Every page and dialog of the desktop program as PNG files, rendered offscreen.
screens: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/zelko7-screens $(BUILD)/screens
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/zelko7-setup-screens $(BUILD)/screens

# The desktop program's run dialog against zelko7 convert on the same CSV file.
bench-gui: build
	bash bench/gui_vs_cli.sh $(BUILD)/bin "$(KESZIP_DATA)" 100000

# Keystroke latency of the text search dialog over the real dictionary (not part of `make test`).
.PHONY: search-bench
search-bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/text_search_latency

# Packages from the normal build (no second build): a Debian package and a
# .tar.gz in $(BUILD)/packages/.
.PHONY: package fetch-data
package: build
	cmake --build $(BUILD) --target package

# Japan Post's ken_all.zip and jigyosyo.zip into KESZIP_DATA, when missing.
fetch-data:
	KESZIP_DATA="$(KESZIP_DATA)" bash scripts/fetch-data.sh
