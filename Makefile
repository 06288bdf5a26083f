# make run   builds the engine if needed and starts its console here (needs
#            make, cmake and g++ alone)
# make test  installs the Debian packages the tests need (tests/packages.txt),
#            builds everything and runs every test (release and sanitizer
#            builds, a UCI session under ThreadSanitizer, and a minute of
#            fuzzing)
# make build builds the three engines, the tests and the benchmarks
# make check builds them and runs the fast tests only (no GUI games)
# make install / make uninstall [PREFIX=/usr/local] [DESTDIR=]
# make deb   builds morvantix_<version>_amd64.deb here
# make windows-dist  packs morvantix-<version>-windows.zip here

BUILD      := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
TSAN_BUILD := build-tsan
WIN_BUILD  := build-windows
FUZZ_SECONDS ?= 60
JOBS       := $(shell nproc 2>/dev/null || echo 2)
# Our code compiles without warnings; the builds made here keep it so.
# CMAKE_EXTRA adds options (the lean-build test hides GTest and -m32 with it).
CMAKE_EXTRA ?=
# make test needs every part; the other targets build what they can.
COMPLETE   ?= OFF
CMAKE_OPTIONS := -DMORVANTIX_WERROR=ON -DMORVANTIX_COMPLETE=$(COMPLETE) $(CMAKE_EXTRA)

# cmake --build runs make below this one: no "Entering directory" lines.
export GNUMAKEFLAGS := --no-print-directory

VERSION    := $(shell cat VERSION)
PREFIX     ?= /usr/local
# Where make install puts each part, under $(DESTDIR)$(PREFIX).
GAMES_DIR  := $(DESTDIR)$(PREFIX)/games
LIB_DIR    := $(DESTDIR)$(PREFIX)/lib/morvantix
MAN_DIR    := $(DESTDIR)$(PREFIX)/share/man/man6
PLUGIN_DIR := $(DESTDIR)$(PREFIX)/share/games/plugins/xboard
DOC_DIR    := $(DESTDIR)$(PREFIX)/share/doc/morvantix

DEB_ROOT   ?= $(BUILD)/deb-root
DEB_FILE   ?= morvantix_$(VERSION)_amd64.deb

WIN_ZIP    ?= morvantix-$(VERSION)-windows.zip
WIN_STAGE  := $(WIN_BUILD)/dist/morvantix-$(VERSION)

.PHONY: windows-dist windows-zip configure engine engines build run check test test-packages test-all \
        test-slow asan tsan-build tsan fuzz-build fuzz windows clean install install-files uninstall deb deb-package

# The release build's configuration; its "skipped" lines say what a missing
# package leaves out.
configure:
	@out=$$(cmake $(CMAKE_OPTIONS) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release 2>&1) || { echo "$$out"; exit 1; }; \
	  echo "$$out" | grep "Morvantix:" || true

# The console engine and its bitbase library, nothing else.
engine: configure
	@cmake --build $(BUILD) -j $(JOBS) --target engine-x64 egbbdll

# The two engines an installation holds.
engines: configure
	@cmake --build $(BUILD) -j $(JOBS) --target engine-x64 engine-x64-popcnt egbbdll

# Everything the configuration holds: the engines, tests and benchmarks.
build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: engine
	@./$(BUILD)/engine-x64

asan:
	@cmake $(CMAKE_OPTIONS) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANTIX_SANITIZE=ON -DMORVANTIX_ALL_BUILDS=OFF > /dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# The console engine built by clang with ThreadSanitizer, and its test: a UCI
# session with helper threads (tests/tsan/uci_threads.sh, about ten seconds).
tsan-build:
	@CC=clang CXX=clang++ cmake $(CMAKE_OPTIONS) -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANTIX_TSAN=ON > /dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS)

tsan: tsan-build
	cd $(TSAN_BUILD) && ctest --output-on-failure

# The Windows programs, cross-compiled with MinGW-w64 into build-windows/:
# engine-x64.exe, engine-x64-popcnt.exe, engine-w32.exe, egbb/x64|w32/egbbdll.dll
windows:
	@cmake $(CMAKE_OPTIONS) -S . -B $(WIN_BUILD)/x64-objects -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DMORVANTIX_OUTPUT_DIR=$(CURDIR)/$(WIN_BUILD) > /dev/null
	@cmake --build $(WIN_BUILD)/x64-objects -j $(JOBS)
	@cmake $(CMAKE_OPTIONS) -S . -B $(WIN_BUILD)/w32-objects -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DMORVANTIX_OUTPUT_DIR=$(CURDIR)/$(WIN_BUILD) > /dev/null
	@cmake --build $(WIN_BUILD)/w32-objects -j $(JOBS)

fuzz-build:
	@cmake $(CMAKE_OPTIONS) -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANTIX_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# make fuzz FUZZ_SECONDS=600 fuzzes the command interpreters and the FEN reader
fuzz: fuzz-build
	tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The fast tests of the release build: unit and end-to-end, no GUI games.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE "slow|gui"

# The packages first, before anything is built: as root the missing ones are
# installed, otherwise the script prints the install line and stops.
test-packages:
	@scripts/test-packages.sh

test: test-packages
	@$(MAKE) --no-print-directory test-all COMPLETE=ON

test-all: build asan tsan-build fuzz-build windows
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow
	cd $(TSAN_BUILD) && ctest --output-on-failure
	tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

test-slow: build
	cd $(BUILD) && ctest --output-on-failure -L slow

# The launcher picks the popcnt engine at run time where the processor has
# popcnt, so one installation (or one package) serves every x86-64 machine.
install: engines
	@$(MAKE) --no-print-directory install-files

# The files of an installation, from the programs already built in $(BUILD).
install-files:
	install -d $(GAMES_DIR) $(LIB_DIR)/egbb $(MAN_DIR) $(PLUGIN_DIR) $(DOC_DIR)
	install -m 755 dist/morvantix.sh $(GAMES_DIR)/morvantix
	install -m 755 -s $(BUILD)/engine-x64 $(BUILD)/engine-x64-popcnt $(LIB_DIR)/
	install -m 644 -s $(BUILD)/egbb/x64/egbbdll.so $(LIB_DIR)/egbb/
	sed 's/@VERSION@/$(VERSION)/' dist/morvantix.6.in | gzip -9n > $(MAN_DIR)/morvantix.6.gz
	chmod 644 $(MAN_DIR)/morvantix.6.gz
	install -m 644 dist/morvantix.eng $(PLUGIN_DIR)/
	install -m 644 dist/morvantix.ini dist/gnome-chess-engines.conf $(DOC_DIR)/

uninstall:
	rm -f $(GAMES_DIR)/morvantix $(LIB_DIR)/engine-x64 $(LIB_DIR)/engine-x64-popcnt \
	  $(LIB_DIR)/egbb/egbbdll.so $(MAN_DIR)/morvantix.6.gz $(PLUGIN_DIR)/morvantix.eng \
	  $(DOC_DIR)/morvantix.ini $(DOC_DIR)/gnome-chess-engines.conf
	-rmdir $(LIB_DIR)/egbb $(LIB_DIR) $(DOC_DIR) 2> /dev/null

# A Debian package of the installation under /usr, made with dpkg-deb from
# a staged copy: the files of make install, the package's copyright and
# changelog, the checksums and the control file (version from VERSION).
deb: engines
	@$(MAKE) --no-print-directory deb-package

# The package of the programs already built in $(BUILD).
deb-package:
	rm -rf $(DEB_ROOT)
	@$(MAKE) --no-print-directory install-files DESTDIR=$(abspath $(DEB_ROOT)) PREFIX=/usr
	install -m 644 dist/copyright $(DEB_ROOT)/usr/share/doc/morvantix/copyright
	sed -e 's/@VERSION@/$(VERSION)/' -e "s/@DATE@/$$(git log -1 --format=%aD 2> /dev/null || date -R)/" \
	  dist/changelog.in | gzip -9n > $(DEB_ROOT)/usr/share/doc/morvantix/changelog.gz
	chmod 644 $(DEB_ROOT)/usr/share/doc/morvantix/changelog.gz
	install -d $(DEB_ROOT)/DEBIAN
	cd $(DEB_ROOT) && find usr -type f | sort | xargs md5sum > DEBIAN/md5sums
	sed -e 's/@VERSION@/$(VERSION)/' -e "s/@SIZE@/$$(du -sk $(DEB_ROOT)/usr | cut -f1)/" \
	  dist/control.in > $(DEB_ROOT)/DEBIAN/control
	dpkg-deb --root-owner-group --build $(DEB_ROOT) $(DEB_FILE)

# The Windows programs in one folder with their bitbase libraries, the
# sample settings (bitbases from egbb\x64\) and a readme, with Windows line
# ends, zipped.
windows-dist: windows
	@$(MAKE) --no-print-directory windows-zip

windows-zip:
	rm -rf $(WIN_BUILD)/dist
	mkdir -p $(WIN_STAGE)/egbb/x64 $(WIN_STAGE)/egbb/w32
	cp $(WIN_BUILD)/engine-x64.exe $(WIN_BUILD)/engine-x64-popcnt.exe $(WIN_BUILD)/engine-w32.exe $(WIN_STAGE)/
	cp $(WIN_BUILD)/egbb/x64/egbbdll.dll $(WIN_STAGE)/egbb/x64/
	cp $(WIN_BUILD)/egbb/w32/egbbdll.dll $(WIN_STAGE)/egbb/w32/
	sed -e 's#/usr/lib/morvantix/egbb/#egbb\\x64\\#' -e 's/egbbdll\.so/egbbdll.dll/' -e 's/$$/\r/' dist/morvantix.ini > $(WIN_STAGE)/morvantix.ini
	sed -e 's/@VERSION@/$(VERSION)/' -e 's/$$/\r/' dist/README-windows.txt > $(WIN_STAGE)/README.txt
	rm -f $(abspath $(WIN_ZIP))
	cd $(WIN_BUILD)/dist && zip -q -r -X $(abspath $(WIN_ZIP)) morvantix-$(VERSION)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(WIN_BUILD)
