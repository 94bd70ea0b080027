# make demo  - install what is missing, build, run dmsctl against a simulated sign
# make package - a Debian package and a zip of the Windows DLLs
# make test  - install, build, run every test: unit tests (plain, ASan+UBSan and
#              ThreadSanitizer), the install and package test,
#              the Windows DLL cross build and export check, fuzz smoke runs, benchmarks smoke
JOBS ?= 2
BUILD ?= build
ASAN ?= build-asan
TSAN ?= build-tsan
FUZZ ?= build-fuzz
WIN ?= build-win32
DEPS ?= $(CURDIR)/build/deps
FUZZ_SECONDS ?= 300

.PHONY: all setup build asan tsan fuzz win32 test unit demo bench package clean

all: build

setup:
	@scripts/setup.sh $(DEPS)

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

asan: setup
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DDMS_SANITIZE=ON >/dev/null
	cmake --build $(ASAN) -j$(JOBS)

# The test program under ThreadSanitizer: the threaded tests drive several
# signs at once, the rest must stay clean too. dmsctl serves the signs the
# SNMP tests reach over loopback.
tsan: setup
	@cmake -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDMS_TSAN=ON >/dev/null
	cmake --build $(TSAN) -j$(JOBS) --target dms_tests dmsctl
	cd $(TSAN) && TZ=UTC0 TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 ./tests/dms_tests --gtest_brief=1

fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDMS_FUZZ=ON >/dev/null
	cmake --build $(FUZZ) -j$(JOBS)

win32: setup
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DDMS_LIBS_ONLY=ON \
	  -DCMAKE_BUILD_TYPE=Release -DTINYXML2_SOURCE_DIR=$$(ls -d $(DEPS)/tinyxml2-*/ | head -n 1) >/dev/null
	cmake --build $(WIN) -j$(JOBS)
	scripts/check-windows-exports.sh $(WIN)
	scripts/package-windows.sh $(WIN)

unit: build asan
	cd $(BUILD) && ctest -j$(JOBS) --output-on-failure
	scripts/test-install.sh $(BUILD)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest -j$(JOBS) --output-on-failure

test: unit tsan win32 fuzz
	scripts/fuzz-smoke.sh $(FUZZ) $(FUZZ_SECONDS)
	scripts/bench-smoke.sh $(BUILD)

demo: build
	scripts/demo.sh $(BUILD)/tools/dmsctl/dmsctl

# The Debian package (in $(BUILD)/packages) and the zip of the Windows DLLs
# (in $(WIN)/packages).
package: build win32
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/packages/*.deb $(WIN)/packages/*.zip

bench: build
	scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN) $(TSAN) $(FUZZ) $(WIN)
