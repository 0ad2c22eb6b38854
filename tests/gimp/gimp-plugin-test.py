#!/usr/bin/env python3
"""The GIMP plug-in inside GIMP, headless, against the dapple command.

    gimp-plugin-test.py BUILD DAPPLE COMPARE_PNG_PIXELS WORK

One GIMP session (gimp -i -b, Script-Fu) in a private profile in WORK, the
plug-in of BUILD installed there as `make install-gimp` installs it:
every effect runs on a real photograph, scaled down, with a selection, and
must give exactly the pixels `dapple apply` gives for the same values and
mask; a repeat with the last values gives
them again; bad input (a content file that is not there, a value the
effect does not take, a 16-bit image, an indexed image, a selection that
misses the layer, a layer group, locked pixels) is refused with a message
and leaves the image as it was.
"""
import json
import os
import shutil
import sys

from gimp_script import chosen_values, prepare_gimp, procedure_name, run, scheme_arguments, scheme_string

EFFECTS = ['BorderStamp', 'Edge', 'FillStamp', 'Frame', 'Patchwork', 'Resurface']
WIDTH, HEIGHT = 150, 100


SCRIPT_HEAD = r'''
(define last-error "")
(set! *error-hook* (lambda x (set! last-error (apply string-append
  (map (lambda (part) (if (string? part) part "")) x))) (apply throw x)))
(define (say . words) (gimp-message (apply string-append words)))
(define (save image file)
  (let ((layer (car (gimp-image-flatten image))))
    (save-layer image layer file)))
; The layer alone, at its own size, with its alpha, the colour of its
; transparent pixels and the image's resolution.
(define (save-layer image layer file)
  (file-png-save2 RUN-NONINTERACTIVE image layer file file 0 9 0 0 0 1 0 0 1))
; The selection's coverage along the image's diagonal.
(define (selection-line image)
  (let loop ((i 0) (values '()))
    (if (= i 100) values
        (loop (+ i 1) (cons (car (gimp-selection-value image (+ 20 i) i)) values)))))
(define (select-shape image)
  (gimp-context-set-antialias FALSE)
  (gimp-context-set-feather FALSE)
  (gimp-image-select-ellipse image CHANNEL-OP-REPLACE 20 10 90 70)
  (gimp-image-select-rectangle image CHANNEL-OP-ADD 90 50 50 40))
(define (open-input) (car (gimp-file-load RUN-NONINTERACTIVE "input.png" "input.png")))
(define (active image) (car (gimp-image-get-active-drawable image)))
(define (apply-effect name procedure mode arguments)
  (let ((image (open-input)))
    (select-shape image)
    (apply procedure (append (list mode image (active image)) arguments))
    (save image (string-append name ".png"))
    (gimp-image-delete image)))
; Runs the call on `image`, which `prepare` made, and saves the picture
; before and after it (in RGB, 8 bits) to compare.
(define (refused name image drawable procedure arguments)
  (let ((before (car (gimp-image-duplicate image))))
    (set! last-error "")
    (if (eq? (catch 'refused (apply procedure (append (list RUN-NONINTERACTIVE image drawable) arguments)) 'ran)
             'refused)
        (say "REFUSED " name " " last-error)
        (say "RAN " name))
    (for-each (lambda (picture)
                (if (not (= (car (gimp-image-get-precision picture)) PRECISION-U8-GAMMA))
                    (gimp-image-convert-precision picture PRECISION-U8-GAMMA))
                (if (not (= (car (gimp-image-base-type picture)) RGB)) (gimp-image-convert-rgb picture)))
              (list image before))
    (save before (string-append "before-" name ".png"))
    (save image (string-append "after-" name ".png"))
    (gimp-image-delete before)
    (gimp-image-delete image)))
(gimp-message-set-handler CONSOLE)
'''

PREPARE = r'''
(let* ((photo (car (gimp-file-load RUN-NONINTERACTIVE "{photo}" "{photo}")))
       (mask (car (gimp-image-new {w} {h} GRAY)))
       (mask-layer (car (gimp-layer-new mask {w} {h} GRAY-IMAGE "mask" 100 LAYER-MODE-NORMAL))))
  (gimp-image-scale photo {w} {h})
  ; A resolution of its own, kept in the file, through which lengths in
  ; millimetres become pixels in GIMP and in dapple alike.
  (gimp-image-set-resolution photo 150 150)
  (save photo "input.png")
  (gimp-image-insert-layer mask mask-layer 0 0)
  (gimp-context-set-foreground '(0 0 0))
  (gimp-drawable-fill mask-layer FILL-FOREGROUND)
  (select-shape mask)
  (gimp-drawable-edit-fill mask-layer FILL-WHITE)
  (gimp-selection-none mask)
  (save mask "mask.png")
  (gimp-image-crop mask {lw} {lh} {lx} {ly})
  (save mask "mask-offset.png")
  (gimp-image-delete mask)
  (gimp-image-delete photo))
'''

def main():
    build, dapple, compare, work = (os.path.abspath(a) for a in sys.argv[1:5])
    env, photo = prepare_gimp(build, work)

    parameters = {}
    for effect in EFFECTS:
        listed = run([dapple, 'params', effect, '--json'], env=env, check=True).stdout
        parameters[effect] = json.loads(listed)['parameters']
    values = {effect: chosen_values(parameters[effect]) for effect in EFFECTS}
    values['Edge']['width'] = '12mm'
    run([dapple, 'settings', 'save', 'Edge', SETTINGS['Edge-user-setting'], '--set', 'edge-type=pixelizer', '--set',
         'width=12px'], env=env, check=True)

    script = SCRIPT_HEAD + PREPARE.format(photo=photo, w=WIDTH, h=HEIGHT, **LAYER)
    for effect in EFFECTS:
        arguments = scheme_arguments(parameters[effect], values[effect])
        procedure = procedure_name(effect)
        script += f'(apply-effect "{effect}" {procedure} RUN-NONINTERACTIVE (list {arguments}))\n'
    # The values passed with the last values' run mode are not the ones used.
    other = scheme_arguments(parameters['Edge'], values['Edge'], {'random-seed': '7'})
    script += f'(apply-effect "Edge-last" plug-in-dapple-edge RUN-WITH-LAST-VALS (list {other}))\n'
    # Named settings, the factory's and one the command saved for the user,
    # stand for the values passed beside them.
    for name, setting in SETTINGS.items():
        arguments = scheme_arguments(parameters['Edge'], values['Edge'], setting=setting)
        script += f'(apply-effect "{name}" plug-in-dapple-edge RUN-NONINTERACTIVE (list {arguments}))\n'
    script += layer_calls(parameters, values)
    script += bad_input_calls(parameters, values)
    script += '(gimp-quit 0)\n'
    with open(os.path.join(work, 'test.scm'), 'w') as f:
        f.write(script)
    gimp = shutil.which('gimp-console') or shutil.which('gimp-console-2.10') or shutil.which('gimp')
    session = run([gimp, '-i', '-n', '-d', '-f', '-b', '(load "test.scm")', '-b', '(gimp-quit 0)'], cwd=work, env=env, timeout=120)
    log = session.stdout + session.stderr
    failures = []
    if session.returncode != 0:
        failures.append(f'GIMP ended with {session.returncode}')
    failures += compare_effects(dapple, compare, work, env, parameters, values)
    failures += check_refusals(compare, work, log)
    if 'SELECTION KEPT' not in log:
        failures.append('a run changed the selection')
    if failures:
        print(log)
        for failure in failures:
            print('FAIL:', failure)
        return 1
    print('every effect in GIMP gives the pixels of dapple apply; bad input is refused and changes nothing')
    return 0


def layer_calls(parameters, values):
    """Script-Fu for the layer's own shape: Frame on a layer with
    transparency and no selection, Edge on a layer away from the image's
    corner and on a grey image; and a soft selection that must come through
    a run as it was."""
    frame = scheme_arguments(parameters['Frame'], values['Frame'])
    edge = scheme_arguments(parameters['Edge'], values['Edge'])
    return f'''
(let* ((image (open-input)) (layer (active image)))
  (gimp-layer-add-alpha layer)
  (select-shape image)
  (gimp-selection-invert image)
  (gimp-drawable-edit-clear layer)
  (gimp-selection-none image)
  (save-layer image layer "input-alpha.png")
  (plug-in-dapple-frame RUN-NONINTERACTIVE image layer {frame})
  (save-layer image layer "Frame-alpha.png")
  (gimp-image-delete image))
(let* ((image (open-input))
       (layer (car (gimp-layer-new-from-drawable (active image) image))))
  (gimp-image-insert-layer image layer 0 0)
  (gimp-layer-resize layer {LAYER['lw']} {LAYER['lh']} -{LAYER['lx']} -{LAYER['ly']})
  (save-layer image layer "input-offset.png")
  (select-shape image)
  (plug-in-dapple-edge RUN-NONINTERACTIVE image layer {edge})
  (save-layer image layer "Edge-offset.png")
  (gimp-image-delete image))
(let* ((image (open-input)))
  (gimp-image-convert-grayscale image)
  (save image "input-grey.png")
  (select-shape image)
  (plug-in-dapple-edge RUN-NONINTERACTIVE image (active image) {edge})
  (save image "Edge-grey.png")
  (gimp-image-delete image))
(let* ((image (open-input)))
  (gimp-context-set-feather TRUE)
  (gimp-context-set-feather-radius 12 12)
  (gimp-image-select-ellipse image CHANNEL-OP-REPLACE 20 10 90 70)
  (let ((before (selection-line image)))
    (plug-in-dapple-edge RUN-NONINTERACTIVE image (active image) {edge})
    (say (if (equal? before (selection-line image)) "SELECTION KEPT" "SELECTION CHANGED")))
  (gimp-image-delete image))
'''


def bad_input_calls(parameters, values):
    """Script-Fu that makes each bad input and tries the effect on it."""
    def content_parameter(effect):
        return next(p['name'] for p in parameters[effect] if p['kind'] == 'content file')

    def list_parameter(effect):
        return next(p['name'] for p in parameters[effect] if p['kind'] == 'list')

    fill = scheme_arguments(parameters['FillStamp'], values['FillStamp'],
                            {content_parameter('FillStamp'): 'Tubes/There Is No Such Tube.tub'})
    unknown = scheme_arguments(parameters['Edge'], values['Edge'], {list_parameter('Edge'): 'no such choice'})
    edge = scheme_arguments(parameters['Edge'], values['Edge'])
    return f'''
(let ((image (open-input))) (select-shape image)
  (refused "missing-content" image (active image) plug-in-dapple-fill-stamp (list {fill})))
(let ((image (open-input))) (select-shape image)
  (refused "unknown-value" image (active image) plug-in-dapple-edge (list {unknown})))
(let ((image (open-input))) (gimp-image-convert-precision image PRECISION-U16-GAMMA)
  (refused "16-bit" image (active image) plug-in-dapple-edge (list {edge})))
(let ((image (open-input))) (gimp-image-convert-indexed image CONVERT-DITHER-NONE CONVERT-PALETTE-GENERATE 64 FALSE FALSE "")
  (refused "indexed" image (active image) plug-in-dapple-edge (list {edge})))
(let* ((image (open-input))
       (small (car (gimp-layer-new image 20 20 RGB-IMAGE "small" 100 LAYER-MODE-NORMAL))))
  (gimp-image-insert-layer image small 0 0)
  (gimp-drawable-fill small FILL-WHITE)
  (gimp-image-select-rectangle image CHANNEL-OP-REPLACE 60 40 30 30)
  (refused "empty-selection" image small plug-in-dapple-edge (list {edge})))
(let* ((image (open-input)) (group (car (gimp-layer-group-new image))))
  (gimp-image-insert-layer image group 0 0)
  (refused "layer-group" image group plug-in-dapple-edge (list {edge})))
(let ((image (open-input))) (gimp-item-set-lock-content (active image) TRUE)
  (refused "locked-pixels" image (active image) plug-in-dapple-edge (list {edge})))
'''


# A layer smaller than the image, away from its corner: the selection
# over it is read where the layer lies.
LAYER = {'lw': 80, 'lh': 60, 'lx': 30, 'ly': 20}

# Named settings of Edge: the picture each gives, and the setting.
SETTINGS = {'Edge-factory-setting': 'Torn Paper', 'Edge-user-setting': 'Made by the command'}

# What each bad input must say.
REFUSALS = {
    'missing-content': 'There Is No Such Tube',
    'unknown-value': 'no such choice',
    '16-bit': '8-bit',
    'indexed': 'indexed',
    'empty-selection': 'selection',
    'layer-group': 'layer group',
    'locked-pixels': 'locked',
}


def compare_pictures(compare, a, b):
    result = run(['perl', compare, a, b])
    return result.returncode == 0, (result.stdout + result.stderr).strip()


def compare_effects(dapple, compare, work, env, parameters, values):
    failures = []
    for effect in EFFECTS:
        expected = os.path.join(work, 'dapple-' + effect + '.png')
        command = [dapple, 'apply', effect, 'input.png', expected, '--mask', 'mask.png', '--quiet']
        for name, value in values[effect].items():
            command += ['--set', name + '=' + value]
        applied = run(command, cwd=work, env=env)
        if applied.returncode != 0:
            failures.append(f'dapple apply {effect}: {applied.stderr.strip()}')
            continue
        same, why = compare_pictures(compare, expected, os.path.join(work, effect + '.png'))
        if not same:
            failures.append(f'{effect} in GIMP differs from dapple apply: {why}')
        unchanged, _ = compare_pictures(compare, expected, os.path.join(work, 'input.png'))
        if unchanged:
            failures.append(f'{effect} left the picture as it was')
    for name, setting in SETTINGS.items():
        expected = os.path.join(work, 'dapple-' + name + '.png')
        applied = run([dapple, 'apply', 'Edge', 'input.png', expected, '--mask', 'mask.png', '--settings', setting],
                      cwd=work, env=env)
        same, why = compare_pictures(compare, expected, os.path.join(work, name + '.png'))
        if applied.returncode != 0 or not same:
            failures.append(f'Edge with the setting {setting} differs from dapple apply: {applied.stderr}{why}')
    for name, effect, picture, mask in (('Frame-alpha', 'Frame', 'input-alpha.png', None),
                                        ('Edge-offset', 'Edge', 'input-offset.png', 'mask-offset.png'),
                                        ('Edge-grey', 'Edge', 'input-grey.png', 'mask.png')):
        expected = os.path.join(work, 'dapple-' + name + '.png')
        command = [dapple, 'apply', effect, picture, expected] + (['--mask', mask] if mask else [])
        for key, value in values[effect].items():
            command += ['--set', key + '=' + value]
        applied = run(command, cwd=work, env=env)
        same, why = compare_pictures(compare, expected, os.path.join(work, name + '.png'))
        if applied.returncode != 0 or not same:
            failures.append(f'{name} in GIMP differs from dapple apply: {applied.stderr}{why}')
    same, why = compare_pictures(compare, os.path.join(work, 'Edge.png'), os.path.join(work, 'Edge-last.png'))
    if not same:
        failures.append(f'Edge with the last values differs from its run before: {why}')
    return failures


def check_refusals(compare, work, log):
    failures = []
    for name, words in REFUSALS.items():
        said = [line for line in log.splitlines() if 'REFUSED ' + name + ' ' in line]
        if not said:
            failures.append(f'{name}: the effect was not refused')
        elif words not in said[0]:
            failures.append(f'{name}: the message does not say "{words}": {said[0]}')
        same, why = compare_pictures(compare, os.path.join(work, 'before-' + name + '.png'),
                                     os.path.join(work, 'after-' + name + '.png'))
        if not same:
            failures.append(f'{name}: the refused call changed the image: {why}')
    return failures


if __name__ == '__main__':
    sys.exit(main())
