#!/usr/bin/env python3
"""first_frame.py PAGE_DIR [--previous PAGE_DIR] [--runs N]: times the page's
first frame after navigation in headless Chromium (SwiftShader's WebGL),
through the page tests' own server and harness, which report when the
runtime was ready and when frame 0 was drawn.

Each page is opened from a cold browser (started with the page: its GPU
process starts with it) and from a warm one (a first page has drawn WebGL in
the same tab, as a visitor's browser has). Beside the page, a floor page that
only makes a WebGL context with the show's attributes and clears it shows
what any WebGL page waits for, and a previous page, when given, is launched
in the same alternation. Every launch has a fresh profile."""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SERVER = os.path.join(ROOT, 'tests', 'web', 'test_server.py')
HARNESS = os.path.join(ROOT, 'tests', 'web', 'harness.js')
PAGE_FILES = ('index.html', 'starwhirl.js', 'starwhirl.wasm')
# Pages of earlier releases carried their script inside index.html.
LATER_PAGE_FILES = ('page.js',)
MODES = ('cold', 'warm')
WAIT_SECONDS = 120


class BenchError(Exception):
    pass


def copy_page(source, target):
    os.makedirs(target)
    for name in PAGE_FILES:
        path = os.path.join(source, name)
        if not os.path.isfile(path):
            raise BenchError(f'{source} has no {name} (make web builds the page)')
        shutil.copy(path, target)
    for name in LATER_PAGE_FILES:
        if os.path.isfile(os.path.join(source, name)):
            shutil.copy(os.path.join(source, name), target)
    shutil.copy(os.path.join(HERE, 'warm_up.html'), target)


def make_floor(target):
    os.makedirs(target)
    shutil.copy(os.path.join(HERE, 'floor.html'), os.path.join(target, 'index.html'))
    shutil.copy(os.path.join(HERE, 'floor.js'), os.path.join(target, 'starwhirl.js'))
    shutil.copy(os.path.join(HERE, 'warm_up.html'), target)


def read_ms(out, name):
    try:
        with open(os.path.join(out, name + '-ms')) as f:
            return float(f.read().split()[0])
    except (OSError, IndexError, ValueError):
        return None


def launch(page_dir, mode, scratch, label):
    """One fresh browser on the page: (runtime ready, first frame) in ms."""
    out = os.path.join(scratch, label)
    os.makedirs(out)
    server = subprocess.Popen([sys.executable, SERVER, page_dir, HARNESS, out],
                              stdout=subprocess.PIPE, text=True)
    browser = None
    try:
        port = server.stdout.readline().strip()
        if not port:
            raise BenchError('the test server did not start')
        start = 'warm_up.html' if mode == 'warm' else 'index.html'
        url = f'http://127.0.0.1:{port}/{start}?escape=1'
        with open(os.path.join(out, 'browser.log'), 'w') as log:
            browser = subprocess.Popen(
                ['chromium', '--headless=new', '--no-sandbox', '--use-angle=swiftshader',
                 '--enable-unsafe-swiftshader', '--user-data-dir=' + os.path.join(out, 'profile'),
                 '--no-first-run', '--disable-extensions', '--window-size=1024,768', url],
                stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        deadline = time.monotonic() + WAIT_SECONDS
        while not os.path.exists(os.path.join(out, 'exit')):
            if browser.poll() is not None:
                raise BenchError(f'chromium ended before the page {label} did')
            if time.monotonic() > deadline:
                raise BenchError(f'the page {label} did not end within {WAIT_SECONDS} s')
            time.sleep(0.1)
        first = read_ms(out, 'first-frame')
        if first is None:
            raise BenchError(f'the page {label} ended without drawing a frame')
        return read_ms(out, 'runtime-ready'), first
    finally:
        if browser and browser.poll() is None:
            os.killpg(browser.pid, signal.SIGKILL)
            browser.wait()
        server.terminate()
        server.wait()


def spread(values):
    return f'{min(values):.0f}–{max(values):.0f}'


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('page')
    parser.add_argument('--previous')
    parser.add_argument('--runs', type=int, default=5)
    options = parser.parse_args()
    if options.runs < 1:
        parser.error('--runs must be at least 1')
    if shutil.which('chromium') is None:
        raise BenchError('no chromium on PATH (make setup installs it)')

    with tempfile.TemporaryDirectory(prefix='starwhirl-page-bench-') as scratch:
        pages = {'floor': os.path.join(scratch, 'floor'), 'page': os.path.join(scratch, 'page')}
        make_floor(pages['floor'])
        copy_page(options.page, pages['page'])
        if options.previous:
            pages['previous'] = os.path.join(scratch, 'previous')
            copy_page(options.previous, pages['previous'])

        print(f'load average before: {os.getloadavg()[0]:.2f}; {options.runs} launches of each page '
              f'in each mode, taken in turn')
        ready = {(name, mode): [] for name in pages for mode in MODES}
        first = {(name, mode): [] for name in pages for mode in MODES}
        for run in range(1, options.runs + 1):
            for mode in MODES:
                for name, page_dir in pages.items():
                    got_ready, got_first = launch(page_dir, mode, scratch, f'{name}-{mode}-{run}')
                    if got_ready is not None:
                        ready[name, mode].append(got_ready)
                    first[name, mode].append(got_first)
            print(f'run {run} of {options.runs} done', file=sys.stderr)

        print('\nMilliseconds after navigation, medians (least–most):\n')
        print(f'| page | browser | runtime ready | first frame | over the floor |')
        print(f'|---|---|---:|---:|---:|')
        medians = {}
        for name in pages:
            for mode in MODES:
                frames = first[name, mode]
                medians[name, mode] = statistics.median(frames)
                readies = ready[name, mode]
                ready_text = f'{statistics.median(readies):.0f}' if readies and name != 'floor' else '—'
                over = medians[name, mode] - medians['floor', mode]
                over_text = '—' if name == 'floor' else f'{over:+.0f}'
                print(f'| {name} | {mode} | {ready_text} | {medians[name, mode]:.0f} ({spread(frames)}) '
                      f'| {over_text} |')

        if 'previous' in pages:
            print()
            for mode in MODES:
                ratio = medians['page', mode] / medians['previous', mode]
                floor = medians['floor', mode]
                page_over = medians['page', mode] - floor
                previous_over = medians['previous', mode] - floor
                over_text = (f'{page_over / previous_over:.2f} of the previous page\'s' if previous_over > 0
                             else 'not comparable (the previous page is not above the floor)')
                print(f'{mode} browser: first frame {ratio:.2f} times the previous page\'s '
                      f'(goal: at most 0.5, {"met" if ratio <= 0.5 else "not met"}); '
                      f'time over the floor {over_text}')
                if ratio > 0.5:
                    print(f'  half of the previous page\'s first frame is {medians["previous", mode] / 2:.0f} ms; '
                          f'the floor alone takes {floor:.0f} ms')
    return 0


if __name__ == '__main__':
    try:
        sys.exit(main())
    except BenchError as error:
        print(f'first_frame.py: {error}', file=sys.stderr)
        sys.exit(1)
