! The Fortran caller's cases: each CASE.case written by bem_host is read into the arrays a
! processor holds, coord(npt, 3), inc(nelem, 3), tipo(npt) and rigidez(ngl, ngl), the library
! is called through `call_library` and rigidez is compared with the C++ host's CASE.npy.
!
! Command line: DIR TOLERANCE CASE... ; agreement is max|r - r_host| / max|r_host| <= TOLERANCE.
! The fator and agreement checks compare reals exactly on purpose (-Wno-compare-reals).
module case_runner
  use, intrinsic :: iso_c_binding, only: c_int, c_double
  use, intrinsic :: ieee_arithmetic, only: ieee_value, ieee_quiet_nan, ieee_is_finite
  use npy_read, only: read_npy_matrix
  implicit none
  private
  public :: library_call, run_cases

  abstract interface
    ! Calls the entry point of `library` (bemfull, bemdeep or bemsurf); false when it has none.
    logical function library_call(library, opcao, ncont, npint, nelem, fator, emod, pois, &
        coord, tipo, inc, rigidez)
      import :: c_int, c_double
      character(len=*), intent(in) :: library
      integer(c_int), intent(in) :: opcao, ncont, npint, nelem
      real(c_double), intent(inout) :: fator
      real(c_double), intent(in) :: emod, pois
      real(c_double), intent(in) :: coord(ncont + npint, 3)
      integer(c_int), intent(in) :: tipo(ncont + npint), inc(nelem, 3)
      real(c_double), intent(inout) :: rigidez(3 * (ncont + npint), 3 * (ncont + npint))
    end function library_call
  end interface

contains

  ! Stops with status 1 when any case fails.
  subroutine run_cases(call_library)
    procedure(library_call) :: call_library
    character(len=4096) :: dir, argument
    real(c_double) :: tolerance
    integer :: i, failures

    if (command_argument_count() < 3) then
      write(*, '(a)') 'usage: fortran_caller DIR TOLERANCE CASE...'
      stop 2
    end if
    call get_command_argument(1, dir)
    call get_command_argument(2, argument)
    read(argument, *) tolerance
    failures = 0
    do i = 3, command_argument_count()
      call get_command_argument(i, argument)
      if (.not. run_case(call_library, trim(dir), trim(argument), tolerance)) then
        failures = failures + 1
      end if
    end do
    if (failures /= 0) then
      write(*, '(i0,a)') failures, ' case(s) failed'
      stop 1
    end if
    write(*, '(a)') 'all cases agree'
  end subroutine run_cases

  logical function run_case(call_library, dir, name, tolerance) result(ok)
    procedure(library_call) :: call_library
    character(len=*), intent(in) :: dir, name
    real(c_double), intent(in) :: tolerance
    character(len=16) :: library
    integer(c_int) :: npt, nelem, opcao, ngl, i
    integer(c_int), parameter :: npint = 0
    real(c_double) :: fator, fator_in, emod, pois, relative
    real(c_double), allocatable :: coord(:, :), rigidez(:, :), reference(:, :)
    integer(c_int), allocatable :: inc(:, :), tipo(:)
    integer :: unit, status
    logical :: read_ok

    ok = .false.
    open(newunit=unit, file=dir // '/' // name // '.case', status='old', action='read', &
        iostat=status)
    if (status /= 0) then
      write(*, '(2a)') name, ': cannot open the case file'
      return
    end if
    read(unit, *) library
    read(unit, *) npt, nelem, opcao
    read(unit, *) fator_in, emod, pois
    allocate(coord(npt, 3), inc(nelem, 3), tipo(npt))
    read(unit, *) (coord(i, :), i = 1, npt)
    read(unit, *) (inc(i, :), i = 1, nelem)
    close(unit)
    tipo = 0
    ngl = 3 * npt
    allocate(rigidez(ngl, ngl), reference(ngl, ngl))
    rigidez = ieee_value(0.0_c_double, ieee_quiet_nan)
    fator = fator_in

    if (.not. call_library(trim(library), opcao, npt, npint, nelem, fator, emod, pois, coord, &
        tipo, inc, rigidez)) then
      write(*, '(3a)') name, ': no entry point in ', trim(library)
      return
    end if
    if ((opcao == 1 .and. fator /= 0.0_c_double) .or. (opcao /= 1 .and. fator /= fator_in)) then
      write(*, '(2a)') name, ': fator is wrong after the call'
      return
    end if
    if (.not. all(ieee_is_finite(rigidez))) then
      write(*, '(2a)') name, ': rigidez not written everywhere'
      return
    end if
    call read_npy_matrix(dir // '/' // name // '.npy', ngl, ngl, reference, read_ok)
    if (.not. read_ok) then
      write(*, '(2a)') name, ': cannot read the host''s rigidez'
      return
    end if
    relative = maxval(abs(rigidez - reference)) / maxval(abs(reference))
    ok = relative <= tolerance
    write(*, '(a,": ",a," ",i0,"x",i0,", max |r-r_host|/max|r_host| = ",es10.3,", ",i0, &
        & " of ",i0," entries identical: ",a)') name, trim(library), ngl, ngl, relative, &
        count(rigidez == reference), size(rigidez), trim(merge('ok       ', 'DIFFERENT', ok))
  end function run_case

end module case_runner
