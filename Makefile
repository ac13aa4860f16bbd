# SPDX-License-Identifier: MIT
# The whole set-up on a fresh Debian 13 or 12 machine: `make run` or `make test`. Each job
# first installs the tier of Debian packages it needs (scripts/install-deps.sh): `make run` only
# what the game needs, `make package` and `make web` their tools besides, `make test` all.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
PACKAGE_DIR ?= build-deb
WEB_DIR ?= build-web
BUILD_TYPE ?= RelWithDebInfo
FUZZ_SECONDS ?= 300
DIST_DIR ?= .
VERSION := $(shell sed -nE 's/^project.wordrop VERSION ([0-9.]+) .*/\1/p' CMakeLists.txt)
DIST := wordrop-$(VERSION)

.PHONY: all deps configure build run install test test-fast package package-check web web-check bench-web serve sanitize fuzz bench goldens lint dist release-check check-debian13 clean

all: build

# The tier of packages that a job installs is passed down to the steps it takes; where it
# is the test tier, the build in BUILD_DIR has every suite and the benchmarks too
# (BUILD_TESTING alone builds only the unit and offscreen suites). A job whose steps have
# tiers of their own installs its own first.
TIER ?= game
package: TIER = package
web serve: TIER = web
test test-fast sanitize fuzz bench goldens lint package-check web-check bench-web release-check: TIER = test
TESTS = $(if $(filter test,$(TIER)),ON,OFF)

deps:
	@bash scripts/install-deps.sh $(TIER)

# Configure says only what it found: the features this build has and lacks.
configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DWORDROP_WERROR=ON \
	    -DBUILD_TESTING=$(TESTS) -DWORDROP_BENCHMARKS=$(TESTS) \
	    -DWORDROP_E2E_TESTS=$(TESTS) -DWORDROP_INSTALL_TESTS=$(TESTS) >/dev/null
	@cat $(BUILD_DIR)/features.txt

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/wordrop

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Everything: the suite on the normal build, then again with AddressSanitizer and UBSan
# (clang), which adds short libFuzzer runs; then the package, the web page and the release.
test: deps test-fast sanitize package-check web-check release-check

test-fast: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 900

# The Debian package, built as Debian builds: its compiler flags, no tests or benchmarks
# (so this is also the build of the game alone), and no -Werror, so that a newer compiler's
# new warning cannot fail a distribution's build of a release. CPack writes the .deb's
# members with the modes the umask gives, so it runs under Debian's usual 022 whatever the
# user's. PACKAGE_OPTIONS adds CMake options, such as -DWORDROP_HOMEPAGE=URL.
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
package: deps
	@CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" cmake -S . -B $(PACKAGE_DIR) -G Ninja \
	    -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DWORDROP_DEBIAN_PACKAGE=ON \
	    -DBUILD_TESTING=OFF -DWORDROP_BENCHMARKS=OFF -DWORDROP_WERROR=OFF $(PACKAGE_OPTIONS) >/dev/null
	@cat $(PACKAGE_DIR)/features.txt
	@rm -f $(PACKAGE_DIR)/wordrop_*.deb
	@umask 022 && cmake --build $(PACKAGE_DIR) --target package

# lintian, the package's files, and its game drawing what the source build draws.
package-check: deps package build
	bash tests/package/check_package.sh $(PACKAGE_DIR) $(BUILD_DIR)

# The game in a web page, compiled with Debian's emscripten, whose tools need NODE_PATH.
web: export NODE_PATH = /usr/share/nodejs
web: deps
	@emcmake cmake -S . -B $(WEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	@cmake --build $(WEB_DIR)

# The page in Debian's chromium and firefox-esr, driven by puppeteer-core from the npm
# registry, and in WebKitGTK's MiniBrowser through WebKitWebDriver, on an Xvfb of the
# suite's own: the page built with the suite's way in (site-testing), and the public page
# (site) where it must not have it. One file at a time: the machine has two cores.
# WORDROP_ENGINES="chromium firefox webkit" picks the engines.
web-check: export NODE_PATH = /usr/share/nodejs
web-check: deps tests/web/node_modules/.package-lock.json
	@emcmake cmake -S . -B $(WEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	    -DWORDROP_WEB_TESTING=ON >/dev/null
	@cmake --build $(WEB_DIR)
	cd tests/web && WORDROP_SITE=$(abspath $(WEB_DIR))/site-testing \
	    WORDROP_PUBLIC_SITE=$(abspath $(WEB_DIR))/site \
	    WORDROP_GOLDEN=$(abspath tests/window/qt/golden) \
	    WORDROP_ARTIFACTS=$(abspath $(WEB_DIR))/web-failures \
	    node --test --test-concurrency=1 browser.test.mjs page.test.mjs phone.test.mjs

bench-web: deps web tests/web/node_modules/.package-lock.json
	@mkdir -p build-bench-results
	node bench/web/startup.mjs $(WEB_DIR)/site $(or $(ROUNDS),10) | tee build-bench-results/web.json
	node bench/web/typing.mjs $(WEB_DIR)/site $(or $(ROUNDS),3) | tee build-bench-results/web-typing.json
	node bench/web/offline.mjs $(WEB_DIR)/site $(or $(ROUNDS),3) | tee build-bench-results/web-offline.json

tests/web/node_modules/.package-lock.json: tests/web/package-lock.json
	cd tests/web && npm ci --no-audit --no-fund --silent

# With the page's Content-Security-Policy as a header too.
serve: web
	python3 scripts/serve-web.py $(WEB_DIR)/site 8080

sanitize: deps
	@CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DWORDROP_SANITIZE=ON -DWORDROP_WERROR=ON -DWORDROP_E2E_TESTS=ON \
	    -DWORDROP_INSTALL_TESTS=ON >/dev/null
	@cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && ctest --output-on-failure --timeout 900

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DWORDROP_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) --target LineBreakerFuzz PressFuzz
	cd $(SANITIZE_DIR)/tests/fuzz && for f in LineBreakerFuzz PressFuzz; do \
	    ./$$f -max_total_time=$(FUZZ_SECONDS) ../../fuzz-corpus/$$f || exit 1; done

bench: build
	bash bench/run.sh $(BUILD_DIR) $(or $(ROUNDS),15)

# Redraws the reference pictures of the golden-screen test, at scale 1 and 2, which the
# README shows too: review them by eye before committing.
goldens: build
	cd $(BUILD_DIR) && for scale in 1 2; do WORDROP_REDRAW_GOLDENS=1 QT_QPA_PLATFORM=offscreen \
	    QT_SCALE_FACTOR=$$scale tests/view_tests --gtest_filter='GoldenScreenTest.*' || exit 1; done

# The release tarball: the committed tree as git archive writes it, never a build folder,
# each file dated by the commit, its modes not the user's git settings, and the whole
# compressed without a name or a time, so that it too is the same each time it is made.
dist:
	@git diff --quiet HEAD -- || echo "dist: the uncommitted changes are left out"
	@git -c tar.umask=0022 archive --format=tar --prefix=$(DIST)/ -o $(DIST_DIR)/$(DIST).tar HEAD
	@gzip -9nf $(DIST_DIR)/$(DIST).tar
	@echo "$(DIST_DIR)/$(DIST).tar.gz"

# The release as a distribution's build machine makes it, with no network and no home: the
# package again, the same bit for bit; the tarball again, the same; the game from the
# tarball with only Qt, CMake, Ninja and a compiler.
release-check: deps package dist
	bash tests/release/check_release.sh $(PACKAGE_DIR) $(DIST_DIR)/$(DIST).tar.gz

# The release tarball built on Debian 13 in a fresh chroot, offline once its packages are
# in: the feature summary with Wayland on, the unit suites, the package for lintian and
# appstreamcli. Not part of make test: the chroot downloads a few hundred MB from Debian's
# mirror (kept in build-debian13/apt for the next run). As root.
check-debian13: TIER = chroot
check-debian13: deps dist
	nice -n 10 bash tests/release/check_debian13.sh $(DIST_DIR)/$(DIST).tar.gz build-debian13

# Formatting and the shell scripts, as CI checks them.
lint: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
	shellcheck $$(git ls-files '*.sh') .ci/run

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(PACKAGE_DIR) $(WEB_DIR) wordrop-*.tar.gz
